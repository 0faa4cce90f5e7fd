#pragma once
// The menu manager shows a window's menu bar and every pop-up as Qt widgets in
// the classic flat look, handles mouse and keyboard, and draws items itself
// except owner-drawn ones, for which it sends WM_MEASUREITEM and WM_DRAWITEM to
// the owner window with a device context over the pop-up's image. Menu
// messages reach the owner in the platform's order.
#include "platform/win/MenuPopup.h"
#include "platform/win/WinTypes.h"

#include <QString>
#include <QWidget>

#include <vector>

namespace platform::win {

// The menu bar of a window: shows GetMenu(owner) and follows DrawMenuBar.
// A form puts it at its top (QMainWindow::setMenuWidget, or a layout).
class MenuBarWidget : public QWidget {
    Q_OBJECT
public:
    explicit MenuBarWidget(HWND owner, QWidget* parent = nullptr);
    ~MenuBarWidget() override;
    HWND owner() const { return owner_; }

    // The bar showing the window's menu, or null.
    static MenuBarWidget* ofWindow(HWND owner);
    HMENU menu() const;
    // The items as they are laid out now (read from the menu afresh).
    const std::vector<MenuItemLayout>& items();
    int itemAt(const QPoint& local);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void relayout();

    HWND owner_;
    std::vector<MenuItemLayout> items_;
    int hot_ = -1; // under the mouse while no menu is open
    int menuListener_ = 0;
    int barListener_ = 0;
};

// Lets the form's keyboard reach its menus: F10 and Alt alone enter the menu
// bar, Alt with a mnemonic opens that menu, Alt+Space opens the system menu.
void installMenuKeys(QWidget* form, HWND owner);

// The menu being tracked, for driving it without real input (tests, scripted
// use) from code that runs while it is open, e.g. a timer inside
// TrackPopupMenu. Every call does what the matching mouse or key action does,
// with the same messages; calls while nothing is tracked do nothing.
class MenuTracker {
public:
    static bool isTracking();
    // Open pop-ups, the top one at level 0.
    static int popupCount();
    static MenuPopup* popup(int level);
    static HMENU popupMenu(int level);
    static int highlighted(int level); // -1 for none
    static int menuBarItem();          // the highlighted bar item, -1 for none

    // Like the mouse moving onto the item of the deepest pop-up (-1: off all
    // items); a sub-menu opens at once.
    static void highlight(int position);
    // Like a click on the item of the deepest pop-up.
    static void choose(int position);
    // A key press; text is what the key types (for mnemonics).
    static void pressKey(int key, const QString& text = QString());
    static void close();
};

} // namespace platform::win
