#pragma once
// The colour dialog as the desktop's programs ask for it: a request record
// with a starting colour and sixteen custom colours that the dialog keeps.
#include "platform/win/WinTypes.h"

namespace platform::dialogs {

using win::BOOL;
using win::COLORREF;
using win::DWORD;
using win::HANDLE;
using win::HWND;
using win::LPARAM;

constexpr DWORD CC_RGBINIT = 0x00000001; // start from rgbResult (else black)
// The dialog here always shows its full colour picker, so the next two change
// nothing; help, hooks and templates are accepted and have no effect.
constexpr DWORD CC_FULLOPEN = 0x00000002;
constexpr DWORD CC_PREVENTFULLOPEN = 0x00000004;
constexpr DWORD CC_SHOWHELP = 0x00000008;
constexpr DWORD CC_ENABLEHOOK = 0x00000010;
constexpr DWORD CC_ENABLETEMPLATE = 0x00000020;
constexpr DWORD CC_ENABLETEMPLATEHANDLE = 0x00000040;
constexpr DWORD CC_SOLIDCOLOR = 0x00000080;
constexpr DWORD CC_ANYCOLOR = 0x00000100;

// The declared size of the record, as the desktop's 32-bit programs fill it.
constexpr DWORD CHOOSECOLOR_SIZE = 36;

struct CHOOSECOLORA {
    DWORD lStructSize = CHOOSECOLOR_SIZE;
    HWND hwndOwner = 0;
    HANDLE hInstance = 0;
    COLORREF rgbResult = 0;           // 0x00BBGGRR; the high byte is ignored
    COLORREF* lpCustColors = nullptr; // sixteen colours, read and written back
    DWORD Flags = 0;
    LPARAM lCustData = 0;
    void* lpfnHook = nullptr;
    const char* lpTemplateName = nullptr;
};

// Shows the dialog (titled "色の設定"), modal to the owner's window. TRUE
// when the user confirmed: rgbResult holds the chosen colour. FALSE when the
// user cancelled (rgbResult unchanged) or the request is unusable (another
// declared size, no custom colours). The custom colours come back as the
// dialog left them either way, as the user may have edited them.
BOOL ChooseColorA(CHOOSECOLORA* request);

} // namespace platform::dialogs
