#include "menuctl/engine/clsMenuItems.h"
#include "platform/forms/MenuControl.h"

namespace zephalt {

int clsMenuItems::indexOf(const QString& key) const {
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (items_[i]->ItemName == key) { // binary comparison
            return static_cast<int>(i);
        }
    }
    return -1;
}

clsMenuItem& clsMenuItems::Item(const ItemName& name) {
    const QString key = MakeItemKey(name);
    const int found = indexOf(key);
    if (found >= 0) {
        ListIndex = found;
        NewIndex = -1;
        return *items_[static_cast<std::size_t>(found)];
    }
    auto item = std::make_unique<clsMenuItem>();
    item->ItemName = key;
    item->ParentImageList = ParentImageList;
    item->ParentMaskColor = maskColor_;
    item->ParentMaskMode = maskMode_;
    if (const auto* control = std::get_if<const platform::forms::MenuControl*>(&name);
        control && *control) {
        item->setCaption((*control)->caption());
    }
    items_.push_back(std::move(item));
    ListIndex = NewIndex = Count() - 1;
    return *items_.back();
}

clsMenuItem* clsMenuItems::ItemEx(int Index) {
    if (Index < 0 || Index >= Count()) {
        return nullptr;
    }
    ListIndex = Index;
    return items_[static_cast<std::size_t>(Index)].get();
}

const clsMenuItem* clsMenuItems::ItemEx(int Index) const {
    if (Index < 0 || Index >= Count()) {
        return nullptr;
    }
    return items_[static_cast<std::size_t>(Index)].get();
}

clsMenuItem* clsMenuItems::byItemData(std::uintptr_t itemData) {
    if (itemData == 0 || itemData > static_cast<std::uintptr_t>(Count())) {
        return nullptr;
    }
    return ItemEx(static_cast<int>(itemData - 1));
}

void clsMenuItems::setMaskColor(OleColor colour) {
    maskColor_ = colour;
    for (const auto& item : items_) {
        item->ParentMaskColor = colour;
    }
}

void clsMenuItems::setMaskMode(int mode) {
    maskMode_ = mode;
    for (const auto& item : items_) {
        item->ParentMaskMode = mode;
    }
}

} // namespace zephalt
