#pragma once
// A menu control of a form: what the form's code sees (name, index, caption,
// checked, enabled, visible, click) and the native facts a hosted control
// needs to find its way around the form's menus (sub-menu handle, command
// identifier, shortcut code, next sibling). Setting a property updates the
// form's native menus at once.
#include "platform/forms/FormDescription.h"
#include "platform/win/WinTypes.h"
#include <QString>
#include <functional>
#include <vector>

namespace platform::forms {

class MenuTree;

class MenuControl {
public:
    MenuControl(const MenuControl&) = delete;
    MenuControl& operator=(const MenuControl&) = delete;

    const QString& name() const { return name_; }
    int index() const { return index_; } // NoIndex when not an array element
    bool isArrayElement() const { return index_ != NoIndex; }
    MenuControl* parent() const { return parent_; }
    // The menu controls that open from this one, in form order.
    const std::vector<MenuControl*>& children() const { return children_; }

    const QString& caption() const { return caption_; }
    void setCaption(const QString& caption);
    bool isSeparator() const;
    bool checked() const { return checked_; }
    void setChecked(bool checked);
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    bool visible() const { return visible_; }
    void setVisible(bool visible);

    void setClickHandler(std::function<void(int index)> handler) { onClick_ = std::move(handler); }
    // Runs the click handler with this control's index.
    void click();

    // Native facts. A menu control that others open from has a sub-menu and
    // no command of its own; every menu control has a command identifier,
    // unique in its form and between 1 and 32767.
    win::HMENU subMenu() const { return subMenu_; }
    win::UINT commandId() const { return commandId_; }
    int shortcut() const { return shortcut_; }
    // Changes the keys that choose the item and the text shown for them.
    void setShortcut(int code);
    // The next menu control with the same parent (or the next top-level one),
    // null for the last of them.
    MenuControl* nextSibling() const { return nextSibling_; }
    bool isLastSibling() const { return nextSibling_ == nullptr; }

    // Whether the item is in its parent's native menu (visible, and built).
    bool isInNativeMenu() const { return inNativeMenu_; }

private:
    friend class MenuTree;
    MenuControl(MenuTree& tree, const MenuControlDescription& description, win::UINT commandId);

    MenuTree& tree_;
    QString name_;
    int index_;
    QString caption_;
    bool checked_;
    bool enabled_;
    bool visible_;
    int shortcut_;
    std::function<void(int)> onClick_;
    win::UINT commandId_;
    MenuControl* parent_ = nullptr;
    std::vector<MenuControl*> children_;
    MenuControl* nextSibling_ = nullptr;
    win::HMENU subMenu_ = 0;
    bool inNativeMenu_ = false;
};

} // namespace platform::forms
