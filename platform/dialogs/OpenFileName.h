#pragma once
// The open and save file dialogs as the desktop's programs ask for them: a
// request record with a declared size, code page 932 texts and caller-owned
// buffers, and the file-title helper.
#include "platform/win/WinTypes.h"

namespace platform::dialogs {

using win::BOOL;
using win::DWORD;
using win::HANDLE;
using win::HWND;
using win::LPARAM;
using win::WORD;

// Flags of the request. Those about hooks, templates, help, sharing and
// network buttons are accepted and have no effect here; a request that allows
// several files still returns one.
constexpr DWORD OFN_READONLY = 0x00000001; // out: always cleared, there is no read-only box
constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
constexpr DWORD OFN_NOCHANGEDIR = 0x00000008;
constexpr DWORD OFN_SHOWHELP = 0x00000010;
constexpr DWORD OFN_ENABLEHOOK = 0x00000020;
constexpr DWORD OFN_ENABLETEMPLATE = 0x00000040;
constexpr DWORD OFN_ENABLETEMPLATEHANDLE = 0x00000080;
constexpr DWORD OFN_NOVALIDATE = 0x00000100;
constexpr DWORD OFN_ALLOWMULTISELECT = 0x00000200;
constexpr DWORD OFN_EXTENSIONDIFFERENT = 0x00000400; // out
constexpr DWORD OFN_PATHMUSTEXIST = 0x00000800;
constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000;
constexpr DWORD OFN_CREATEPROMPT = 0x00002000;
constexpr DWORD OFN_SHAREAWARE = 0x00004000;
constexpr DWORD OFN_NOREADONLYRETURN = 0x00008000;
constexpr DWORD OFN_NOTESTFILECREATE = 0x00010000;
constexpr DWORD OFN_NONETWORKBUTTON = 0x00020000;
constexpr DWORD OFN_NOLONGNAMES = 0x00040000;
constexpr DWORD OFN_EXPLORER = 0x00080000;
constexpr DWORD OFN_NODEREFERENCELINKS = 0x00100000;
constexpr DWORD OFN_LONGNAMES = 0x00200000;
constexpr DWORD OFN_ENABLEINCLUDENOTIFY = 0x00400000;
constexpr DWORD OFN_ENABLESIZING = 0x00800000;
constexpr DWORD OFN_DONTADDTORECENT = 0x02000000;
constexpr DWORD OFN_FORCESHOWHIDDEN = 0x10000000;

// The declared size of the record, as the desktop's 32-bit programs fill it.
constexpr DWORD OPENFILENAME_SIZE_VERSION_400A = 76;

struct OPENFILENAMEA {
    DWORD lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    HWND hwndOwner = 0;
    HANDLE hInstance = 0;
    // "description" NUL "patterns" NUL ... NUL; patterns separated by ";".
    const char* lpstrFilter = nullptr;
    char* lpstrCustomFilter = nullptr; // not used
    DWORD nMaxCustFilter = 0;
    DWORD nFilterIndex = 0;         // 1-based; in: the filter shown first, out: the one in use
    char* lpstrFile = nullptr;      // in: a file name to start with; out: the chosen path
    DWORD nMaxFile = 0;             // bytes, NUL included
    char* lpstrFileTitle = nullptr; // out: the name part of the chosen path (may be null)
    DWORD nMaxFileTitle = 0;
    const char* lpstrInitialDir = nullptr; // null or "": the current directory
    const char* lpstrTitle = nullptr;      // null: the default title
    DWORD Flags = 0;
    WORD nFileOffset = 0;              // out: where the name starts in lpstrFile
    WORD nFileExtension = 0;           // out: where the extension starts (after the dot)
    const char* lpstrDefExt = nullptr; // added to a typed name that has no extension
    LPARAM lCustData = 0;
    void* lpfnHook = nullptr;
    const char* lpTemplateName = nullptr;
};

// Shows the dialog, modal to the owner's window. TRUE when the user chose a
// file: lpstrFile holds its path (cut to nMaxFile - 1 bytes), lpstrFileTitle
// its name, nFilterIndex the filter in use. FALSE when the user cancelled or
// the request is unusable (another declared size, no file buffer, or a
// chosen path that code page 932 cannot write); the buffers are then as
// they were.
BOOL GetOpenFileNameA(OPENFILENAMEA* request);
BOOL GetSaveFileNameA(OPENFILENAMEA* request);

// The name part of a path ("C:/a/b.txt" -> "b.txt"; "/" and "\" both
// separate). 0 when it was copied with its NUL; the size it needs, NUL
// included, when the buffer is null or too small (nothing is written); -1
// for a path that names no file: null, empty, ending in a separator, or a
// name holding * ? " < > | or a control character.
short GetFileTitleA(const char* path, char* buffer, WORD size);

} // namespace platform::dialogs
