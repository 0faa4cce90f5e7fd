#pragma once
// The keyboard side of menu shortcuts: one Qt shortcut on the form per menu
// control with a shortcut code. A pressed shortcut is sent to the form as
// WM_COMMAND (high word 1), so that window procedures on the form see it the
// way they see a menu choice.
#include "platform/forms/MenuControl.h"
#include "platform/win/WinTypes.h"
#include <QPointer>
#include <map>

class QShortcut;
class QWidget;

namespace platform::forms {

class MenuShortcuts {
public:
    MenuShortcuts(QWidget* form, win::HWND hwnd);
    ~MenuShortcuts();
    MenuShortcuts(const MenuShortcuts&) = delete;
    MenuShortcuts& operator=(const MenuShortcuts&) = delete;

    // Makes, changes or drops the Qt shortcut to match the control's code.
    void update(MenuControl& control);
    // Whether a pressed shortcut reaches the control: it is visible and
    // enabled, and so is every menu it opens from, except that a top-level
    // pop-up menu is never visible.
    static bool reachable(const MenuControl& control);

private:
    QPointer<QWidget> form_;
    win::HWND hwnd_;
    std::map<MenuControl*, QPointer<QShortcut>> shortcuts_;
};

} // namespace platform::forms
