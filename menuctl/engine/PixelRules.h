#pragma once
// The picture transforms of the drawing styles, as pure functions over icon
// pixels: each gives a new icon that keeps the source's mask.
#include "menuctl/engine/Enums.h"
#include "menuctl/engine/IconPixels.h"

namespace zephalt {

// Rounds to the nearest integer, halves to the even neighbour.
int roundHalfEven(double value);

// Every pixel becomes grey round(0.3 R) + round(0.6 G) + round(0.1 B), each
// product rounded halves-to-even, capped at 255.
IconPixels MakeGrayIcon(const IconPixels& icon);
// Opaque pixels inverted, transparent ones black.
IconPixels MakeNegativeIcon(const IconPixels& icon);
// Each channel the integer mean of the pixel's and the colour's (an RGB value),
// transparent pixels black.
IconPixels MakeBlendedIcon(const IconPixels& icon, std::uint32_t colorref);

// BitmapToIcon's mask on pixels: the key colour by mask mode (0 the colour
// given, 1-4 a corner pixel, 5 no transparency) becomes transparent; with the
// Round flag (64) only key-coloured areas that touch the border do. Transparent
// pixels are cleared to black.
IconPixels maskByKey(const IconPixels& picture, int maskMode, std::uint32_t maskColour);

// The checker pattern laid over a w × h area starting at the area's (0, 0):
// true where the pattern colour goes. Rows alternate the bytes 0xAA and 0x55.
bool checkerCovers(int x, int y);

} // namespace zephalt
