#pragma once
// The control's keyed list of menu items, in order of creation. Items are
// never removed while the control lives, so a native item's data (list index
// + 1) stays valid.
#include "menuctl/engine/MakeItemKey.h"
#include "menuctl/engine/clsMenuItem.h"
#include <memory>
#include <vector>

namespace zephalt {

class clsMenuItems {
public:
    // Finds the item of the key, or appends a new one; never fails. A host
    // menu control gives a new item its caption (queued).
    clsMenuItem& Item(const ItemName& name);
    // The item at a 0-based index; null outside 0..Count-1.
    clsMenuItem* ItemEx(int Index);
    const clsMenuItem* ItemEx(int Index) const;
    // The item named by a native item's data (index + 1); null for 0 or
    // anything past the list.
    clsMenuItem* byItemData(std::uintptr_t itemData);
    // The index of the item with exactly this key; -1 if none.
    int indexOf(const QString& key) const;

    int Count() const { return static_cast<int>(items_.size()); }
    int ListIndex = -1;
    int NewIndex = -1;
    clsImageList* ParentImageList = nullptr;

    void setMaskColor(OleColor colour);
    void setMaskMode(int mode);

private:
    std::vector<std::unique_ptr<clsMenuItem>> items_;
    OleColor maskColor_ = SystemColour(4);
    int maskMode_ = zxMM_Value;
};

} // namespace zephalt
