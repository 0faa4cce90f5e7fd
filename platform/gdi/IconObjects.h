#pragma once
// What the image lists, pictures and DrawStateA share about icons.
#include "platform/gdi/ObjectTable.h"

namespace platform::gdi {

// A new icon from images that become its own (mask: black opaque, white
// transparent; colour null for a monochrome icon).
HICON addIcon(QImage color, int colorBitsPixel, QImage mask);
Icon* findIcon(HICON icon);
// Draws by the AND/XOR rule into dstRect (device pixels), stretching.
void drawIconInto(DeviceContext& dc, const Icon& icon, const QRect& dstRect, UINT flags);

} // namespace platform::gdi
