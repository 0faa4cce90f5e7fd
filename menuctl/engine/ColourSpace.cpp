#include "menuctl/engine/ColourSpace.h"
#include "menuctl/engine/PixelRules.h"
#include "menuctl/engine/SystemValues.h"
#include <algorithm>
#include <cmath>

namespace zephalt {

namespace {

int channel(std::uint32_t colorref, int shift) {
    return static_cast<int>((colorref >> shift) & 0xFF);
}

std::uint32_t rgb(int r, int g, int b) {
    auto clamp = [](int v) { return static_cast<std::uint32_t>(std::clamp(v, 0, 255)); };
    return clamp(r) | (clamp(g) << 8) | (clamp(b) << 16);
}

// c_A + round(Δ × i) \ n: the step of a component is always a whole number.
double stepped(double from, double to, int i, int n) {
    const double delta = fourDecimals(to - from);
    const auto product = static_cast<long long>(std::nearbyint(delta * i));
    return fourDecimals(from + static_cast<double>(product / n));
}

} // namespace

double fourDecimals(double value) {
    return std::nearbyint(value * 10000.0) / 10000.0;
}

Hsv RgbToHsv(OleColor colour) {
    const std::uint32_t c = resolveColour(colour);
    const double r = channel(c, 0);
    const double g = channel(c, 8);
    const double b = channel(c, 16);
    const double max = std::max({r, g, b});
    const double min = std::min({r, g, b});
    Hsv hsv;
    hsv.v = max;
    if (max == min) {
        return hsv;
    }
    const double range = max - min;
    hsv.s = fourDecimals(range / max);
    double h = 0;
    if (r == max) {
        h = 60.0 * ((g - b) / range);
    } else if (g == max) {
        h = 60.0 * (2.0 + (b - r) / range);
    } else {
        h = 60.0 * (4.0 + (r - g) / range);
    }
    if (h < 0) {
        h += 360.0;
    }
    hsv.h = fourDecimals(h);
    return hsv;
}

std::uint32_t HsvToRgb(double h, double s, double v) {
    if (s == 0) {
        const int grey = roundHalfEven(v);
        return rgb(grey, grey, grey);
    }
    const double hh = h == 0 ? 0 : fourDecimals(h / 60.0);
    const int i = static_cast<int>(std::floor(hh));
    const double f = fourDecimals(hh - i);
    const double p = std::max(0.0, fourDecimals(v * (1.0 - s)));
    const double q = fourDecimals(v * (1.0 - s * f));
    const double t = fourDecimals(v * (1.0 - s * (1.0 - f)));
    double r = 0;
    double g = 0;
    double b = 0;
    switch (i) {
    case 0:
        r = v;
        g = t;
        b = p;
        break;
    case 1:
        r = q;
        g = v;
        b = p;
        break;
    case 2:
        r = p;
        g = v;
        b = t;
        break;
    case 3:
        r = p;
        g = q;
        b = v;
        break;
    case 4:
        r = t;
        g = p;
        b = v;
        break;
    case 5:
        r = v;
        g = p;
        b = q;
        break;
    default:
        return 0;
    }
    return rgb(roundHalfEven(r), roundHalfEven(g), roundHalfEven(b));
}

std::vector<std::uint32_t> gradientColours(OleColor a, OleColor b, int bits, int w, int h) {
    const int n = (bits & 1) ? w : h;
    std::vector<std::uint32_t> colours;
    if (n < 0) {
        return colours;
    }
    colours.reserve(static_cast<std::size_t>(n) + 1);
    if (n == 0) {
        // One line and no steps: the start colour.
        colours.push_back(resolveColour(a));
        return colours;
    }
    if (bits & 2) {
        const Hsv from = RgbToHsv(a);
        const Hsv to = RgbToHsv(b);
        for (int i = 0; i <= n; ++i) {
            colours.push_back(HsvToRgb(stepped(from.h, to.h, i, n), stepped(from.s, to.s, i, n),
                                       stepped(from.v, to.v, i, n)));
        }
        return colours;
    }
    const std::uint32_t ca = resolveColour(a);
    const std::uint32_t cb = resolveColour(b);
    for (int i = 0; i <= n; ++i) {
        colours.push_back(rgb(static_cast<int>(stepped(channel(ca, 0), channel(cb, 0), i, n)),
                              static_cast<int>(stepped(channel(ca, 8), channel(cb, 8), i, n)),
                              static_cast<int>(stepped(channel(ca, 16), channel(cb, 16), i, n))));
    }
    return colours;
}

} // namespace zephalt
