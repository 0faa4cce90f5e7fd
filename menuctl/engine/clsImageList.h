#pragma once
// The control's list of check-column images. Public indexes start at 1 (0
// means no image); every image of a menu item sits beside its grey copy. The
// list is made on the first add and emptied by Clear or a change of size or
// colour depth while it holds no image.
#include "menuctl/engine/Enums.h"
#include "menuctl/engine/IconPixels.h"
#include <optional>
#include <vector>

namespace zephalt {

class clsImageList {
public:
    // The public index of the added copy; 0 for an icon that is not valid.
    int AddIcon(const IconPixels& icon);
    // False when Index names no image or the icon is not valid.
    bool ReplaceIcon(int Index, const IconPixels& icon);
    // Index -1 removes every image.
    bool Remove(int Index);
    // A copy of the image, or nothing when Index is 0, negative or past the end.
    std::optional<IconPixels> GetIcon(int Index) const;
    int Count() const { return static_cast<int>(images_.size()); }
    bool created() const { return created_; }
    void Clear();

    int ImageWidth() const { return width_; }
    int ImageHeight() const { return height_; }
    int ColorDepth() const { return depth_; }
    // Accepted only while the list holds no image; the list is cleared.
    void setImageWidth(int width);
    void setImageHeight(int height);
    void setColorDepth(int depth);

private:
    bool created_ = false;
    int width_ = 0;
    int height_ = 0;
    int depth_ = cdColorDDB;
    std::vector<IconPixels> images_;
};

} // namespace zephalt
