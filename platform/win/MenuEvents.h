#pragma once
// Change notices for whoever shows menus: the menu table reports every change of
// a menu's items, and SetMenu and DrawMenuBar report that a window's bar needs
// to be shown again. Listeners run on the GUI thread, synchronously, right after
// the change; a listener may add or remove listeners while it runs.
#include "platform/win/WinTypes.h"
#include <functional>

namespace platform::win {

// Called with the menu whose items changed (also for a menu just destroyed:
// IsMenu is then FALSE).
using MenuChangedListener = std::function<void(HMENU)>;
int addMenuChangedListener(MenuChangedListener listener);
void removeMenuChangedListener(int id);

// Called with the window whose menu bar must be shown again.
using MenuBarListener = std::function<void(HWND)>;
int addMenuBarListener(MenuBarListener listener);
void removeMenuBarListener(int id);
void notifyMenuBarChanged(HWND hwnd);

// The window whose system menu this is, or 0 (for WM_INITMENUPOPUP's high word
// and for sending the chosen item as WM_SYSCOMMAND).
HWND systemMenuOwner(HMENU menu);

} // namespace platform::win
