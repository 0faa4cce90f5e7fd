#include "menuctl/engine/clsMenuItem.h"
#include "menuctl/engine/PixelRules.h"
#include "menuctl/engine/clsImageList.h"
#include <cstdlib>

namespace zephalt {

void clsMenuItem::setCaption(const QString& caption) {
    queuedCaption_ = caption;
    Changed = true;
}

void clsMenuItem::setShortCut(const QString& shortcut) {
    queuedShortcut_ = shortcut;
    Changed = true;
}

void clsMenuItem::setBold(bool value) {
    bold_ = value;
    Changed = true;
}

void clsMenuItem::setItalic(bool value) {
    italic_ = value;
    Changed = true;
}

void clsMenuItem::setUnderLine(bool value) {
    underline_ = value;
    Changed = true;
}

void clsMenuItem::setSeparatorStyle(int value) {
    separatorStyle_ = value;
    Changed = true;
}

void clsMenuItem::setPairIcon(int& pairIndex, int firstFlag, const IconPixels& icon, int Index) {
    if (!icon.isValid() || ParentImageList == nullptr) {
        return;
    }
    if (pairIndex == 0) {
        // A new pair: Index does not matter, the image and its grey copy.
        pairIndex = ParentImageList->AddIcon(icon);
        ParentImageList->AddIcon(MakeGrayIcon(icon));
    } else {
        // A pair given up earlier (negative) is taken back.
        pairIndex = std::abs(pairIndex);
        ParentImageList->ReplaceIcon(pairIndex + Index, icon);
    }
    if (Index == 0 || Index == 1) {
        registered_[static_cast<std::size_t>(firstFlag + Index)] = true;
    }
}

void clsMenuItem::setCheckedIcon(const IconPixels& icon, int Index) {
    setPairIcon(CheckedIndex, 0, icon, Index);
}

void clsMenuItem::setUnCheckedIcon(const IconPixels& icon, int Index) {
    setPairIcon(UnCheckedIndex, 2, icon, Index);
}

const std::optional<IconPixels>& clsMenuItem::ItemIcon(int Index) const {
    return itemIcons_[Index == 1 ? 1 : 0];
}

void clsMenuItem::setItemIcon(const std::optional<IconPixels>& icon, int Index) {
    const bool given = icon && icon->isValid();
    if (Index == 0) {
        itemIcons_[0] = given ? icon : std::nullopt;
        itemIcons_[1] = given ? std::optional(MakeGrayIcon(*icon)) : std::nullopt;
        registered_[4] = given;
        registered_[5] = false;
    } else {
        registered_[5] = given;
        if (given) {
            itemIcons_[1] = icon;
        } else {
            itemIcons_[1] =
                itemIcons_[0] ? std::optional(MakeGrayIcon(*itemIcons_[0])) : std::nullopt;
        }
    }
    Changed = true;
}

bool clsMenuItem::IsRegist(int Index) const {
    return Index >= 0 && Index < 6 && registered_[static_cast<std::size_t>(Index)];
}

void clsMenuItem::setRegist(int Index, bool value) {
    if (Index >= 0 && Index < 6) {
        registered_[static_cast<std::size_t>(Index)] = value;
    }
}

} // namespace zephalt
