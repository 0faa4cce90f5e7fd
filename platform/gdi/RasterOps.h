#pragma once
// The one pixel engine behind BitBlt, StretchBlt, PatBlt and FillRect:
// converts the source to the destination's format (colour <-> monochrome by
// the DCs' colours), then applies the ternary raster operation bit by bit.
#include "platform/gdi/ObjectTable.h"

namespace platform::gdi {

struct BlitSource {
    const QImage* image = nullptr;
    int bitsPixel = 32;
    COLORREF bkColor = 0xFFFFFF; // decides white when colour goes to monochrome
    QRect rect;                  // device pixels
};

bool ropUsesSource(DWORD rop);
bool ropUsesPattern(DWORD rop);

// dstRect is in device pixels; the source (may be null when the operation
// does not read it) is stretched to it. The brush gives the pattern.
void rasterBlit(DeviceContext& dst, const QRect& dstRect, const BlitSource* source,
                const Brush* brush, DWORD rop);

// The brush's colour at a device pixel, already in the destination's format.
QRgb patternPixel(const DeviceContext& dc, const Brush& brush, int x, int y, bool monoDst);

// A brush handle: an object or a system colour index + 1.
const Brush* brushOf(HBRUSH handle, Brush& scratch);

} // namespace platform::gdi
