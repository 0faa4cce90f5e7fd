#pragma once
// Native menus as data behind handles, with the described platform's calls and
// rules (positions from 0, items by position or by command identifier).
#include "platform/win/WinTypes.h"
#include <QString>
#include <cstddef>

namespace platform::win {

// Item types, states and masks.
constexpr UINT MFT_STRING = 0x0000;
constexpr UINT MFT_BITMAP = 0x0004;
constexpr UINT MFT_MENUBARBREAK = 0x0020;
constexpr UINT MFT_MENUBREAK = 0x0040;
constexpr UINT MFT_OWNERDRAW = 0x0100;
constexpr UINT MFT_RADIOCHECK = 0x0200;
constexpr UINT MFT_SEPARATOR = 0x0800;
constexpr UINT MFT_RIGHTORDER = 0x2000;
constexpr UINT MFT_RIGHTJUSTIFY = 0x4000;

constexpr UINT MFS_GRAYED = 0x0003;
constexpr UINT MFS_DISABLED = MFS_GRAYED;
constexpr UINT MFS_CHECKED = 0x0008;
constexpr UINT MFS_HILITE = 0x0080;
constexpr UINT MFS_DEFAULT = 0x1000;

constexpr UINT MIIM_STATE = 0x0001;
constexpr UINT MIIM_ID = 0x0002;
constexpr UINT MIIM_SUBMENU = 0x0004;
constexpr UINT MIIM_CHECKMARKS = 0x0008;
constexpr UINT MIIM_TYPE = 0x0010;
constexpr UINT MIIM_DATA = 0x0020;
constexpr UINT MIIM_STRING = 0x0040;
constexpr UINT MIIM_BITMAP = 0x0080;
constexpr UINT MIIM_FTYPE = 0x0100;

// Menu flags (AppendMenuA, RemoveMenu, WM_MENUSELECT).
constexpr UINT MF_BYCOMMAND = 0x0000;
constexpr UINT MF_STRING = 0x0000;
constexpr UINT MF_GRAYED = 0x0001;
constexpr UINT MF_DISABLED = 0x0002;
constexpr UINT MF_BITMAP = 0x0004;
constexpr UINT MF_CHECKED = 0x0008;
constexpr UINT MF_POPUP = 0x0010;
constexpr UINT MF_MENUBARBREAK = 0x0020;
constexpr UINT MF_MENUBREAK = 0x0040;
constexpr UINT MF_HILITE = 0x0080;
constexpr UINT MF_OWNERDRAW = 0x0100;
constexpr UINT MF_BYPOSITION = 0x0400;
constexpr UINT MF_SEPARATOR = 0x0800;
constexpr UINT MF_SYSMENU = 0x2000;
constexpr UINT MF_MOUSESELECT = 0x8000;

// TrackPopupMenu flags.
constexpr UINT TPM_LEFTALIGN = 0x0000;
constexpr UINT TPM_CENTERALIGN = 0x0004;
constexpr UINT TPM_RIGHTALIGN = 0x0008;
constexpr UINT TPM_TOPALIGN = 0x0000;
constexpr UINT TPM_VCENTERALIGN = 0x0010;
constexpr UINT TPM_BOTTOMALIGN = 0x0020;
constexpr UINT TPM_NONOTIFY = 0x0080;
constexpr UINT TPM_RETURNCMD = 0x0100;

struct MENUITEMINFOA {
    UINT cbSize = sizeof(MENUITEMINFOA);
    UINT fMask = 0;
    UINT fType = 0;
    UINT fState = 0;
    UINT wID = 0;
    HMENU hSubMenu = 0;
    HBITMAP hbmpChecked = 0;
    HBITMAP hbmpUnchecked = 0;
    ULONG_PTR dwItemData = 0;
    char* dwTypeData = nullptr; // text in code page 932, or a bitmap handle for MFT_BITMAP
    UINT cch = 0;
    HBITMAP hbmpItem = 0;
};
// The older record without hbmpItem, also accepted by its size.
constexpr UINT MENUITEMINFO_OLD_SIZE = static_cast<UINT>(offsetof(MENUITEMINFOA, hbmpItem));

HMENU CreateMenu();
HMENU CreatePopupMenu();
// Destroys the menu and every sub-menu its items open.
BOOL DestroyMenu(HMENU menu);
BOOL IsMenu(HMENU menu);

int GetMenuItemCount(HMENU menu); // -1 for an invalid handle
HMENU GetSubMenu(HMENU menu, int position);
UINT GetMenuItemID(HMENU menu, int position); // 0xFFFFFFFF for a sub-menu item or a bad position
BOOL GetMenuItemInfoA(HMENU menu, UINT item, BOOL byPosition, MENUITEMINFOA* info);
BOOL SetMenuItemInfoA(HMENU menu, UINT item, BOOL byPosition, const MENUITEMINFOA* info);
BOOL InsertMenuItemA(HMENU menu, UINT item, BOOL byPosition, const MENUITEMINFOA* info);
// flags: MF_STRING, MF_SEPARATOR, MF_POPUP (id is then the sub-menu), MF_GRAYED, MF_CHECKED...
BOOL AppendMenuA(HMENU menu, UINT flags, ULONG_PTR idOrSubMenu, const QString& text);
// Removes the item; a sub-menu it opened is not destroyed.
BOOL RemoveMenu(HMENU menu, UINT item, UINT flags);
// The item's rectangle in screen coordinates (see the menu manager for when it is known).
BOOL GetMenuItemRect(HWND hwnd, HMENU menu, UINT position, RECT* rect);

// The menu bar of a window.
BOOL SetMenu(HWND hwnd, HMENU menu);
HMENU GetMenu(HWND hwnd);
BOOL DrawMenuBar(HWND hwnd);
// The window's system menu with its Japanese items and SC_ commands; revert
// restores the standard one.
HMENU GetSystemMenu(HWND hwnd, BOOL revert);

// Shows a pop-up at (x, y) in screen coordinates and tracks it until it closes.
// Returns the chosen identifier with TPM_RETURNCMD, else TRUE when a command was
// chosen (it is posted to the owner as WM_COMMAND), FALSE otherwise.
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner,
                    const RECT* ignored);
// Closes whatever menu is being tracked.
BOOL EndMenu();

// Text of an item as a Unicode string (for the menu manager and tests).
QString menuItemText(HMENU menu, int position);

} // namespace platform::win
