#pragma once
// Bitmaps and the block transfers between device contexts.
#include "platform/gdi/GdiTypes.h"

namespace platform::gdi {

// planes must be 1; bitsPixel 1 (monochrome: rows top-down, padded to 2 bytes,
// most significant bit leftmost, 1 = white), 24 or 32 (B, G, R[, unused]
// bytes, rows padded to 2 bytes). bits may be null (black).
HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPixel, const void* bits);
// The format of the bitmap selected in dc: monochrome from a fresh memory DC,
// the screen's colour from a display DC.
HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height);

BOOL BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, DWORD rop);
BOOL StretchBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY,
                int srcWidth, int srcHeight, DWORD rop);
BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop);

} // namespace platform::gdi
