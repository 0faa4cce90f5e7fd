#pragma once
// Device-independent bits of a bitmap: 24-bit (B, G, R) and 32-bit rows, and
// 1-bit rows with a two-entry colour table; rows padded to 4 bytes, bottom-up
// when biHeight is positive. This is the layout icons are stored in.
#include "platform/gdi/GdiTypes.h"

namespace platform::gdi {

// Bytes of one row of that width and depth.
int dibStride(int width, int bitCount);

// bits = null with biBitCount 0 only fills the header; with a bit count it
// fills biSizeImage and the colour table. Returns the scan lines copied, 0 on
// failure.
int GetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, void* bits, BITMAPINFO* info,
              UINT usage);
// Returns the scan lines set, 0 on failure.
int SetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, const void* bits,
              const BITMAPINFO* info, UINT usage);

} // namespace platform::gdi
