// The control's methods that change menu items through the host's menu
// controls: shortcut keys, column breaks, check and radio groups.
#include "menuctl/engine/OwnerDrawMenu.h"
#include "menuctl/engine/ShortcutText.h"
#include "platform/forms/MenuControl.h"

namespace zephalt {

using platform::forms::MenuControl;

int OwnerDrawMenu::ChangeShortCutKey(const ItemName& itemName, int shortCutKey) {
    const QString text = shortcutText(shortCutKey);
    const QString key = MakeItemKey(itemName);
    if (key.startsWith(u':')) {
        return 0; // known only by its command identifier: no host menu to change
    }
    MenuControl* host = findMenuControlByKey(key);
    if (host == nullptr) {
        return 0;
    }
    const int previous = host->shortcut();
    host->setShortcut(shortCutKey);
    menuItems_.Item(key).setShortCut(text);
    return previous;
}

void OwnerDrawMenu::SetItemImage(const ItemName& itemName, const std::optional<IconPixels>& picture,
                                 int kind, int Index) {
    if (!menuItems_.Item(itemName).SetImage(picture, kind, Index) && site_ != nullptr) {
        site_->showMessage(QStringLiteral("ピクチャデータが異常です。"), platform::MsgButtons::Ok,
                           platform::MsgIcon::Critical, QString());
    }
}

void OwnerDrawMenu::BreakItem(const ItemName& menuItem, int breakMode) {
    menuItems_.Item(menuItem).BreakMode = breakMode;
}

void OwnerDrawMenu::walkGroup(const ItemName& startItem, const std::optional<ItemName>& endItem,
                              const std::function<void(MenuControl&, clsMenuItem&)>& visit) {
    const QString startKey = MakeItemKey(startItem);
    const QString endKey = endItem ? MakeItemKey(*endItem) : startKey;
    MenuControl* current = findMenuControlByKey(startKey);
    while (current != nullptr) {
        const QString key = MakeItemKey(*current);
        visit(*current, menuItems_.Item(key));
        if (key == endKey || current->isLastSibling()) {
            return;
        }
        current = current->nextSibling();
    }
}

void OwnerDrawMenu::GroupItem(const ItemName& startItem, const std::optional<ItemName>& endItem,
                              int group) {
    if (findMenuControlByKey(MakeItemKey(startItem)) == nullptr) {
        // No host menu to walk from: the one item named is grouped.
        menuItems_.Item(startItem).Group = group;
        return;
    }
    walkGroup(startItem, endItem, [group](MenuControl&, clsMenuItem& item) { item.Group = group; });
}

void OwnerDrawMenu::RadioItem(const ItemName& startItem, const ItemName& endItem,
                              const ItemName& checkItem) {
    const QString checkKey = MakeItemKey(checkItem);
    if (findMenuControlByKey(MakeItemKey(startItem)) == nullptr) {
        clsMenuItem& item = menuItems_.Item(startItem);
        item.Group = zxGS_Radio;
        item.RadioFlag = item.ItemName == checkKey;
        return;
    }
    walkGroup(startItem, endItem, [&checkKey](MenuControl& control, clsMenuItem& item) {
        item.Group = zxGS_Radio;
        const bool checked = item.ItemName == checkKey;
        control.setChecked(checked);
        if (checked) {
            item.RadioFlag = true;
        }
    });
}

} // namespace zephalt
