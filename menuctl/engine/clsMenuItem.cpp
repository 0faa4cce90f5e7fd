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

bool clsMenuItem::setPairImage(int& k, int firstFlag, const std::optional<IconPixels>& picture,
                               int Index) {
    auto& r0 = registered_[static_cast<std::size_t>(firstFlag)];
    auto& r1 = registered_[static_cast<std::size_t>(firstFlag + 1)];
    if (!picture) {
        if (k < 1 || ParentImageList == nullptr) {
            return true;
        }
        if (Index == 0) {
            r0 = r1 = false;
            k = -k; // the pair stays in the list without an owner
        } else if (const auto image = ParentImageList->GetIcon(k)) {
            r1 = false;
            ParentImageList->ReplaceIcon(k + 1, MakeGrayIcon(*image));
        }
        return true;
    }
    if (!picture->isValid() || ParentImageList == nullptr) {
        return false;
    }
    if (Index == 0) {
        if (k != 0) {
            k = std::abs(k);
            ParentImageList->ReplaceIcon(k, *picture);
            ParentImageList->ReplaceIcon(k + 1, MakeGrayIcon(*picture));
        } else {
            k = ParentImageList->AddIcon(*picture);
            ParentImageList->AddIcon(MakeGrayIcon(*picture));
        }
        r0 = true;
        r1 = false;
    } else if (k > 0) {
        ParentImageList->ReplaceIcon(k + 1, *picture);
        r1 = true;
    }
    return true;
}

bool clsMenuItem::SetImage(const std::optional<IconPixels>& picture, int kind, int Index) {
    if (kind == zxMI_CheckedImage) {
        return setPairImage(CheckedIndex, 0, picture, Index);
    }
    if (kind == zxMI_UnCheckedImage) {
        return setPairImage(UnCheckedIndex, 2, picture, Index);
    }
    const bool failed = picture && !picture->isValid();
    const bool given = picture && !failed;
    if (kind == zxMI_ItemImage && Index != 0) {
        itemIcons_[1] =
            given ? picture
                  : (itemIcons_[0] ? std::optional(MakeGrayIcon(*itemIcons_[0])) : std::nullopt);
        registered_[5] = given;
        return !failed;
    }
    // The item picture, which is also the separator picture.
    itemIcons_[0] = given ? picture : std::nullopt;
    itemIcons_[1] = given ? std::optional(MakeGrayIcon(*picture)) : std::nullopt;
    registered_[4] = given;
    registered_[5] = false;
    return !failed;
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
