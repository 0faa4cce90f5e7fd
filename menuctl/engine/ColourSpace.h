#pragma once
// Hue, saturation and value, and the colours of a title bar's gradient, with
// the four-decimal values and halves-to-even rounding the bars are drawn with.
#include "menuctl/engine/Enums.h"
#include <cstdint>
#include <vector>

namespace zephalt {

struct Hsv {
    double h = 0; // degrees 0..360
    double s = 0; // 0..1
    double v = 0; // 0..255
};

// Keeps four decimal places, halves to even.
double fourDecimals(double value);

Hsv RgbToHsv(OleColor colour);
std::uint32_t HsvToRgb(double h, double s, double v);

// The colours of the n + 1 one-pixel lines of DrawGradient over a w × h area
// from colour a to colour b; bit 0 of bits: lines advance left to right
// (n = w), else top to bottom (n = h); bit 1: interpolate hue, saturation and
// value instead of red, green and blue.
std::vector<std::uint32_t> gradientColours(OleColor a, OleColor b, int bits, int w, int h);

} // namespace zephalt
