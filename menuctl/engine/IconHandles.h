#pragma once
// Icons as the drawing layer holds them (icon handles), made from the pixel
// form the control keeps and stores, and read back into it.
#include "menuctl/engine/IconPixels.h"
#include "platform/win/WinTypes.h"
#include <optional>

namespace zephalt {

// A new icon (the caller destroys it); 0 for pixels that are not valid.
std::uintptr_t iconFromPixels(const IconPixels& pixels);
// The pixels of an icon's colour and mask bitmaps; nothing for 0, an unknown
// handle or a size outside 1..256.
std::optional<IconPixels> pixelsFromIcon(std::uintptr_t icon);
// The colour pixels of a bitmap, all opaque; nothing for an unknown handle or
// a size outside 1..256.
std::optional<IconPixels> pixelsFromBitmap(std::uintptr_t bitmap);

} // namespace zephalt
