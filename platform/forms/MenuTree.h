#pragma once
// The menu controls of one form and the native menus made from them: a menu
// bar of the top-level controls, a pop-up for every control that others open
// from. Invisible controls are left out of their native menu and put back at
// their place among the visible siblings when they show again.
#include "platform/forms/FormDescription.h"
#include "platform/forms/MenuControl.h"
#include "platform/win/WinTypes.h"
#include <functional>
#include <map>
#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

namespace platform::forms {

class MenuTree {
public:
    // Fails with a runtime error for a duplicate name and index, a parent that
    // is not listed before its child, or more controls than identifiers.
    explicit MenuTree(const std::vector<MenuControlDescription>& menus);
    ~MenuTree();
    MenuTree(const MenuTree&) = delete;
    MenuTree& operator=(const MenuTree&) = delete;

    // Makes the native menus and gives the bar to the owner window.
    void build(win::HWND owner);
    // Destroys every native menu made by build (the owner may be gone).
    void destroyNative();

    win::HMENU bar() const { return bar_; }
    bool empty() const { return controls_.empty(); }
    const std::vector<MenuControl*>& controls() const { return order_; }
    MenuControl* find(const QString& name, int index) const;
    MenuControl* findByCommand(win::UINT commandId) const;
    MenuControl* findBySubMenu(win::HMENU subMenu) const;

    // Called after a control's shortcut code changed.
    void setShortcutListener(std::function<void(MenuControl&)> listener) {
        shortcutListener_ = std::move(listener);
    }

private:
    friend class MenuControl;
    void captionChanged(MenuControl& control, bool wasSeparator);
    void stateChanged(MenuControl& control);
    void visibilityChanged(MenuControl& control);
    void shortcutChanged(MenuControl& control);

    win::HMENU nativeParent(const MenuControl& control) const;
    int nativePosition(const MenuControl& control) const;
    const std::vector<MenuControl*>& siblings(const MenuControl& control) const;
    void insertNative(MenuControl& control);
    void removeNative(MenuControl& control);
    void barChanged();

    std::vector<std::unique_ptr<MenuControl>> controls_;
    std::vector<MenuControl*> order_;
    std::vector<MenuControl*> topLevel_;
    std::map<std::pair<QString, int>, MenuControl*> byKey_; // case-folded name
    std::unordered_map<win::UINT, MenuControl*> byCommand_;
    std::function<void(MenuControl&)> shortcutListener_;
    win::HWND owner_ = 0;
    win::HMENU bar_ = 0;
};

} // namespace platform::forms
