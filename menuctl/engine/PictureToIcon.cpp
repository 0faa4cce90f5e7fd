#include "menuctl/engine/PictureToIcon.h"

#include "menuctl/engine/IconHandles.h"
#include "menuctl/engine/PixelRules.h"

namespace zephalt {

std::optional<IconPixels> PictureToIcon(const platform::gdi::PicturePtr& picture,
                                        std::uint32_t maskColour, int maskMode) {
    if (!picture || picture->type() == platform::gdi::PICTYPE_NONE || picture->handle() == 0) {
        return std::nullopt;
    }
    std::optional<IconPixels> pixels;
    if (picture->type() == platform::gdi::PICTYPE_BITMAP) {
        pixels = pixelsFromBitmap(picture->handle());
        if (pixels) {
            pixels = maskByKey(*pixels, maskMode, maskColour);
        }
    } else if (picture->type() == platform::gdi::PICTYPE_ICON) {
        pixels = pixelsFromIcon(picture->handle());
    }
    return pixels ? pixels : std::optional<IconPixels>(IconPixels{});
}

} // namespace zephalt
