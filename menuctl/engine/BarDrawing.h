#pragma once
// Drawing steps shared by title bars and items: the gradient of a bar, the
// checker pattern laid over pictures, and icon pixels drawn as they are,
// stretched, or in a transformed copy.
#include "menuctl/engine/Enums.h"
#include "menuctl/engine/IconPixels.h"
#include "platform/gdi/GdiTypes.h"

namespace zephalt {

// n + 1 one-pixel lines from colour a to colour b (see gradientColours):
// with bit 0 vertical lines advancing left to right, else horizontal ones.
void DrawGradient(platform::gdi::HDC dc, int x, int y, int w, int h, OleColor a, OleColor b,
                  int bits);
// Every other pixel of the area takes the colour (an RGB value), in a
// one-pixel checkerboard; the others stay as they were.
void DrawCheckerPattern(platform::gdi::HDC dc, std::uint32_t colorref, int x, int y, int w, int h);
// Draws the pixels with their mask at (x, y); stretched to w × h when both
// are above 0.
void drawPixels(platform::gdi::HDC dc, const IconPixels& pixels, int x, int y, int w = 0,
                int h = 0);

} // namespace zephalt
