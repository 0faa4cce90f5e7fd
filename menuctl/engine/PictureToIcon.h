#pragma once
// Host pictures (bitmaps and icons) turned into the icon pixels the control
// keeps: a bitmap gets its transparency from a mask colour and mode, an icon
// keeps its own mask.
#include "menuctl/engine/IconPixels.h"
#include "platform/gdi/Pictures.h"
#include <optional>

namespace zephalt {

// Nothing for no picture (or an empty one); pixels that are not valid for a
// picture that cannot be converted (another type, an absurd size), so that
// the caller can tell "none" from "broken".
std::optional<IconPixels> PictureToIcon(const platform::gdi::PicturePtr& picture,
                                        std::uint32_t maskColour, int maskMode);

} // namespace zephalt
