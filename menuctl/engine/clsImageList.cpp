#include "menuctl/engine/clsImageList.h"

namespace zephalt {

int clsImageList::AddIcon(const IconPixels& icon) {
    if (!icon.isValid()) {
        return 0;
    }
    created_ = true;
    images_.push_back(icon);
    return Count();
}

bool clsImageList::ReplaceIcon(int Index, const IconPixels& icon) {
    if (Index < 1 || Index > Count() || !icon.isValid()) {
        return false;
    }
    images_[static_cast<std::size_t>(Index - 1)] = icon;
    return true;
}

bool clsImageList::Remove(int Index) {
    if (Index == -1) {
        images_.clear();
        return true;
    }
    if (Index < 1 || Index > Count()) {
        return false;
    }
    images_.erase(images_.begin() + (Index - 1));
    return true;
}

std::optional<IconPixels> clsImageList::GetIcon(int Index) const {
    if (Index < 1 || Index > Count()) {
        return std::nullopt;
    }
    return images_[static_cast<std::size_t>(Index - 1)];
}

void clsImageList::Clear() {
    images_.clear();
    created_ = false;
}

void clsImageList::setImageWidth(int width) {
    if (Count() == 0) {
        width_ = width;
        Clear();
    }
}

void clsImageList::setImageHeight(int height) {
    if (Count() == 0) {
        height_ = height;
        Clear();
    }
}

void clsImageList::setColorDepth(int depth) {
    if (Count() == 0) {
        depth_ = depth;
        Clear();
    }
}

} // namespace zephalt
