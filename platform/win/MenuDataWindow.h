#pragma once
// Between the window table and the menu table: a window that goes away takes
// its system menu and its menu bar with it.
#include "platform/win/WinTypes.h"

namespace platform::win {

// Destroys the window's system menu, and its menu bar unless another window
// still shows the same bar. Called once the window has had WM_NCDESTROY.
void releaseWindowMenus(HWND hwnd);

} // namespace platform::win
