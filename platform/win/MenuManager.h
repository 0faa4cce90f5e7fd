#pragma once
// The menu manager shows a window's menu bar and every pop-up as Qt widgets in
// the classic flat look, handles mouse and keyboard, and draws items itself
// except owner-drawn ones, for which it sends WM_MEASUREITEM and WM_DRAWITEM to
// the owner window with a device context over the pop-up's image. Menu
// messages reach the owner in the platform's order.
#include "platform/win/WinTypes.h"
#include <QWidget>

namespace platform::win {

// The menu bar of a window: shows GetMenu(owner) and follows DrawMenuBar.
// A form puts it at its top (QMainWindow::setMenuWidget, or a layout).
class MenuBarWidget : public QWidget {
    Q_OBJECT
public:
    explicit MenuBarWidget(HWND owner, QWidget* parent = nullptr);
    ~MenuBarWidget() override;
    HWND owner() const { return owner_; }

private:
    HWND owner_;
};

// Lets the form's keyboard reach its menus: F10 and Alt alone enter the menu
// bar, Alt with a mnemonic opens that menu, Alt+Space opens the system menu.
void installMenuKeys(QWidget* form, HWND owner);

} // namespace platform::win
