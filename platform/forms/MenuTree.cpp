#include "platform/forms/MenuTree.h"
#include "platform/forms/ShortcutCodes.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/text/Codepage.h"
#include "platform/win/Menus.h"

namespace platform::forms {

namespace {

// Hosted controls read command identifiers as signed 16-bit numbers.
constexpr win::UINT LastCommandId = 0x7FFF;

std::pair<QString, int> keyOf(const QString& name, int index) {
    return {name.toCaseFolded(), index};
}

QString describe(const QString& name, int index) {
    return index == NoIndex ? name : QStringLiteral("%1(%2)").arg(name).arg(index);
}

QString nativeText(const MenuControl& control) {
    const QString keys = shortcutText(control.shortcut());
    return keys.isEmpty() ? control.caption() : control.caption() + QLatin1Char('\t') + keys;
}

win::UINT stateBits(const MenuControl& control) {
    return (control.checked() ? win::MFS_CHECKED : 0u) | (control.enabled() ? 0u : win::MFS_GRAYED);
}

} // namespace

MenuTree::MenuTree(const std::vector<MenuControlDescription>& menus) {
    if (menus.size() > LastCommandId) {
        throw RuntimeError(err::InvalidCall, QStringLiteral("メニューの数が多すぎます。"));
    }
    controls_.reserve(menus.size());
    for (const MenuControlDescription& description : menus) {
        const auto key = keyOf(description.name, description.index);
        if (description.name.isEmpty() || byKey_.count(key) != 0) {
            throw RuntimeError(err::InvalidCall,
                               QStringLiteral("メニュー名 %1 が正しくないか、重複しています。")
                                   .arg(describe(description.name, description.index)));
        }
        MenuControl* parent = nullptr;
        if (!description.parentName.isEmpty()) {
            const auto found = byKey_.find(keyOf(description.parentName, description.parentIndex));
            if (found == byKey_.end()) {
                throw RuntimeError(
                    err::InvalidCall,
                    QStringLiteral("メニュー %1 の親メニュー %2 がありません。")
                        .arg(describe(description.name, description.index),
                             describe(description.parentName, description.parentIndex)));
            }
            parent = found->second;
        }
        const auto commandId = static_cast<win::UINT>(controls_.size() + 1);
        // The constructor is private to keep controls inside their tree.
        controls_.push_back(
            std::unique_ptr<MenuControl>(new MenuControl(*this, description, commandId)));
        MenuControl* control = controls_.back().get();
        control->parent_ = parent;
        std::vector<MenuControl*>& runOfSiblings = parent ? parent->children_ : topLevel_;
        if (!runOfSiblings.empty()) {
            runOfSiblings.back()->nextSibling_ = control;
        }
        runOfSiblings.push_back(control);
        order_.push_back(control);
        byKey_.emplace(key, control);
        byCommand_.emplace(commandId, control);
    }
}

MenuTree::~MenuTree() {
    destroyNative();
}

void MenuTree::build(win::HWND owner) {
    destroyNative();
    owner_ = owner;
    if (controls_.empty()) {
        return;
    }
    bar_ = win::CreateMenu();
    for (MenuControl* control : order_) {
        if (!control->children_.empty()) {
            control->subMenu_ = win::CreatePopupMenu();
        }
    }
    // Form order puts each parent's sub-menu in place before its children
    // are added, and the children in sibling order.
    for (MenuControl* control : order_) {
        if (control->visible_) {
            insertNative(*control);
        }
    }
    barChanged();
}

void MenuTree::destroyNative() {
    // A sub-menu that hangs in a native menu goes with it; the others (of
    // hidden controls and of top-level pop-ups) are destroyed on their own.
    for (MenuControl* control : order_) {
        if (control->subMenu_ != 0 && !control->inNativeMenu_) {
            win::DestroyMenu(control->subMenu_);
        }
    }
    if (bar_ != 0) {
        win::DestroyMenu(bar_);
    }
    for (MenuControl* control : order_) {
        control->subMenu_ = 0;
        control->inNativeMenu_ = false;
    }
    bar_ = 0;
    owner_ = 0;
}

MenuControl* MenuTree::find(const QString& name, int index) const {
    const auto found = byKey_.find(keyOf(name, index));
    return found == byKey_.end() ? nullptr : found->second;
}

MenuControl* MenuTree::findByCommand(win::UINT commandId) const {
    const auto found = byCommand_.find(commandId);
    return found == byCommand_.end() ? nullptr : found->second;
}

MenuControl* MenuTree::findBySubMenu(win::HMENU subMenu) const {
    if (subMenu == 0) {
        return nullptr;
    }
    for (MenuControl* control : order_) {
        if (control->subMenu_ == subMenu) {
            return control;
        }
    }
    return nullptr;
}

win::HMENU MenuTree::nativeParent(const MenuControl& control) const {
    return control.parent_ ? control.parent_->subMenu_ : bar_;
}

const std::vector<MenuControl*>& MenuTree::siblings(const MenuControl& control) const {
    return control.parent_ ? control.parent_->children_ : topLevel_;
}

int MenuTree::nativePosition(const MenuControl& control) const {
    int position = 0;
    for (const MenuControl* sibling : siblings(control)) {
        if (sibling == &control) {
            break;
        }
        if (sibling->inNativeMenu_) {
            ++position;
        }
    }
    return position;
}

void MenuTree::insertNative(MenuControl& control) {
    const win::HMENU menu = nativeParent(control);
    if (menu == 0 || control.inNativeMenu_) {
        return;
    }
    QByteArray text;
    win::MENUITEMINFOA info;
    info.fMask = win::MIIM_FTYPE | win::MIIM_STATE | win::MIIM_ID;
    info.fState = stateBits(control);
    info.wID = control.commandId_;
    if (control.isSeparator()) {
        info.fType = win::MFT_SEPARATOR;
    } else {
        info.fType = win::MFT_STRING;
        info.fMask |= win::MIIM_STRING;
        text = text::encodeCp932(nativeText(control));
        info.dwTypeData = text.data();
        info.cch = static_cast<win::UINT>(text.size());
    }
    if (control.subMenu_ != 0) {
        info.fMask |= win::MIIM_SUBMENU;
        info.hSubMenu = control.subMenu_;
    }
    const auto position = static_cast<win::UINT>(nativePosition(control));
    if (win::InsertMenuItemA(menu, position, win::TRUE, &info)) {
        control.inNativeMenu_ = true;
    }
}

void MenuTree::removeNative(MenuControl& control) {
    if (!control.inNativeMenu_) {
        return;
    }
    // Removing keeps the sub-menu alive for when the control shows again.
    win::RemoveMenu(nativeParent(control), static_cast<win::UINT>(nativePosition(control)),
                    win::MF_BYPOSITION);
    control.inNativeMenu_ = false;
}

void MenuTree::captionChanged(MenuControl& control, bool wasSeparator) {
    if (!control.inNativeMenu_) {
        return;
    }
    const win::HMENU menu = nativeParent(control);
    const auto position = static_cast<win::UINT>(nativePosition(control));
    win::MENUITEMINFOA info;
    info.fMask = win::MIIM_FTYPE;
    win::GetMenuItemInfoA(menu, position, win::TRUE, &info);
    // Only the separator bit changes, so that a hosted control's owner-draw
    // marking of the item survives.
    if (control.isSeparator()) {
        info.fType |= win::MFT_SEPARATOR;
    } else {
        info.fType &= ~win::MFT_SEPARATOR;
    }
    info.fMask = wasSeparator != control.isSeparator() ? win::MIIM_FTYPE : 0u;
    QByteArray text;
    if (!control.isSeparator()) {
        text = text::encodeCp932(nativeText(control));
        info.fMask |= win::MIIM_STRING;
        info.dwTypeData = text.data();
        info.cch = static_cast<win::UINT>(text.size());
    }
    if (info.fMask != 0) {
        win::SetMenuItemInfoA(menu, position, win::TRUE, &info);
    }
    if (!control.parent_) {
        barChanged();
    }
}

void MenuTree::stateChanged(MenuControl& control) {
    if (!control.inNativeMenu_) {
        return;
    }
    const win::HMENU menu = nativeParent(control);
    const auto position = static_cast<win::UINT>(nativePosition(control));
    win::MENUITEMINFOA info;
    info.fMask = win::MIIM_STATE;
    win::GetMenuItemInfoA(menu, position, win::TRUE, &info);
    // Other state bits (default item, highlight) belong to whoever set them.
    info.fState = (info.fState & ~(win::MFS_CHECKED | win::MFS_GRAYED)) | stateBits(control);
    win::SetMenuItemInfoA(menu, position, win::TRUE, &info);
    if (!control.parent_) {
        barChanged();
    }
}

void MenuTree::visibilityChanged(MenuControl& control) {
    if (bar_ == 0) {
        return;
    }
    if (control.visible_) {
        insertNative(control);
    } else {
        removeNative(control);
    }
    if (!control.parent_) {
        barChanged();
    }
}

void MenuTree::shortcutChanged(MenuControl& control) {
    if (control.inNativeMenu_ && !control.isSeparator()) {
        captionChanged(control, false);
    }
    if (shortcutListener_) {
        shortcutListener_(control);
    }
}

void MenuTree::barChanged() {
    if (owner_ == 0 || bar_ == 0) {
        return;
    }
    // A form whose top-level menus are all hidden (only pop-ups) shows no bar.
    const bool wanted = win::GetMenuItemCount(bar_) > 0;
    const bool shown = win::GetMenu(owner_) == bar_;
    if (wanted != shown) {
        win::SetMenu(owner_, wanted ? bar_ : 0);
    }
    win::DrawMenuBar(owner_);
}

} // namespace platform::forms
