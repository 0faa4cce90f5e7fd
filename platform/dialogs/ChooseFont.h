#pragma once
// The font dialog as the desktop's programs ask for it: a request record that
// points at a LOGFONT, starts from it on request, and receives the choice in
// it and as a size in tenths of a point.
#include "platform/gdi/GdiTypes.h"

namespace platform::dialogs {

using gdi::BOOL;
using gdi::COLORREF;
using gdi::DWORD;
using gdi::HANDLE;
using gdi::HDC;
using gdi::HWND;
using gdi::LOGFONTA;
using gdi::WORD;
using win::LPARAM;

// Flags of the request. Printer fonts, help, hooks, templates, styles and the
// apply button are accepted and have no effect; every font shown is a screen
// font.
constexpr DWORD CF_SCREENFONTS = 0x00000001;
constexpr DWORD CF_PRINTERFONTS = 0x00000002;
constexpr DWORD CF_BOTH = 0x00000003;
constexpr DWORD CF_SHOWHELP = 0x00000004;
constexpr DWORD CF_ENABLEHOOK = 0x00000008;
constexpr DWORD CF_ENABLETEMPLATE = 0x00000010;
constexpr DWORD CF_ENABLETEMPLATEHANDLE = 0x00000020;
constexpr DWORD CF_INITTOLOGFONTSTRUCT = 0x00000040; // start from *lpLogFont
constexpr DWORD CF_USESTYLE = 0x00000080;
constexpr DWORD CF_EFFECTS = 0x00000100; // underline and strike-out can be chosen
constexpr DWORD CF_APPLY = 0x00000200;
constexpr DWORD CF_ANSIONLY = 0x00000400;
constexpr DWORD CF_NOVECTORFONTS = 0x00000800;
constexpr DWORD CF_NOSIMULATIONS = 0x00001000;
constexpr DWORD CF_LIMITSIZE = 0x00002000; // the size is kept within nSizeMin..nSizeMax
constexpr DWORD CF_FIXEDPITCHONLY = 0x00004000;
constexpr DWORD CF_WYSIWYG = 0x00008000;
constexpr DWORD CF_FORCEFONTEXIST = 0x00010000;
constexpr DWORD CF_SCALABLEONLY = 0x00020000;
constexpr DWORD CF_TTONLY = 0x00040000;
constexpr DWORD CF_NOFACESEL = 0x00080000;
constexpr DWORD CF_NOSTYLESEL = 0x00100000;
constexpr DWORD CF_NOSIZESEL = 0x00200000;
constexpr DWORD CF_SELECTSCRIPT = 0x00400000;
constexpr DWORD CF_NOSCRIPTSEL = 0x00800000;
constexpr DWORD CF_NOVERTFONTS = 0x01000000;

// nFontType on return.
constexpr WORD BOLD_FONTTYPE = 0x0100;
constexpr WORD ITALIC_FONTTYPE = 0x0200;
constexpr WORD REGULAR_FONTTYPE = 0x0400;
constexpr WORD SCREEN_FONTTYPE = 0x2000;

// The declared size of the record, as the desktop's 32-bit programs fill it.
constexpr DWORD CHOOSEFONT_SIZE = 60;

struct CHOOSEFONTA {
    DWORD lStructSize = CHOOSEFONT_SIZE;
    HWND hwndOwner = 0;
    HDC hDC = 0;
    LOGFONTA* lpLogFont = nullptr;
    int iPointSize = 0; // out: tenths of a point
    DWORD Flags = 0;
    COLORREF rgbColors = 0; // kept as it is: the dialog here offers no text colour
    LPARAM lCustData = 0;
    void* lpfnHook = nullptr;
    const char* lpTemplateName = nullptr;
    HANDLE hInstance = 0;
    char* lpszStyle = nullptr;
    WORD nFontType = 0;
    WORD reserved = 0;
    int nSizeMin = 0; // points
    int nSizeMax = 0;
};

// Shows the dialog (titled "フォント"), modal to the owner's window. TRUE when
// the user confirmed: *lpLogFont holds the choice with its height in pixels
// at 96 per inch (negative, a character height), iPointSize the size and
// nFontType its kind. A face the dialog shows under an installed family keeps
// its own name when that family is confirmed unchanged, and a family without
// slanted styles keeps the slant it was given. FALSE when the user
// cancelled or the request is unusable (another declared size, no LOGFONT);
// nothing is written then.
BOOL ChooseFontA(CHOOSEFONTA* request);

} // namespace platform::dialogs
