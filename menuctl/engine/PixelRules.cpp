#include "menuctl/engine/PixelRules.h"
#include <array>
#include <cmath>

namespace zephalt {

namespace {

struct GreyTables {
    std::array<int, 256> red{};
    std::array<int, 256> green{};
    std::array<int, 256> blue{};
    GreyTables() {
        for (int v = 0; v < 256; ++v) {
            red[v] = roundHalfEven(0.3 * v);
            green[v] = roundHalfEven(0.6 * v);
            blue[v] = roundHalfEven(0.1 * v);
        }
    }
};

const GreyTables& greyTables() {
    static const GreyTables tables; // computed once, read only after
    return tables;
}

template <typename Rule> IconPixels transformed(const IconPixels& icon, Rule rule) {
    IconPixels out = icon;
    for (int y = 0; y < icon.height; ++y) {
        for (int x = 0; x < icon.width; ++x) {
            out.setPixel(x, y, rule(icon.pixel(x, y), icon.transparent(x, y)));
        }
    }
    return out;
}

int red(std::uint32_t c) {
    return static_cast<int>(c & 0xFF);
}
int green(std::uint32_t c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
int blue(std::uint32_t c) {
    return static_cast<int>((c >> 16) & 0xFF);
}
std::uint32_t rgb(int r, int g, int b) {
    return static_cast<std::uint32_t>(r | (g << 8) | (b << 16));
}

} // namespace

int roundHalfEven(double value) {
    return static_cast<int>(std::nearbyint(value)); // the default rounding mode is to even
}

IconPixels MakeGrayIcon(const IconPixels& icon) {
    if (!icon.isValid()) {
        return {};
    }
    const GreyTables& t = greyTables();
    return transformed(icon, [&](std::uint32_t c, bool) {
        const int g = std::min(255, t.red[red(c)] + t.green[green(c)] + t.blue[blue(c)]);
        return rgb(g, g, g);
    });
}

IconPixels MakeNegativeIcon(const IconPixels& icon) {
    if (!icon.isValid()) {
        return {};
    }
    return transformed(icon,
                       [](std::uint32_t c, bool clear) { return clear ? 0u : (~c & 0xFFFFFFu); });
}

IconPixels MakeBlendedIcon(const IconPixels& icon, std::uint32_t colorref) {
    if (!icon.isValid()) {
        return {};
    }
    return transformed(icon, [colorref](std::uint32_t c, bool clear) {
        if (clear) {
            return 0u;
        }
        return rgb(std::min(255, (red(c) + red(colorref)) / 2),
                   std::min(255, (green(c) + green(colorref)) / 2),
                   std::min(255, (blue(c) + blue(colorref)) / 2));
    });
}

bool checkerCovers(int x, int y) {
    // The pattern's 0 bits take the pattern colour: the first pass (SRCAND,
    // background white, text black) blackens them, the second (SRCPAINT,
    // background black, text colour) paints the colour into them.
    const int row = (y % 2 == 0) ? 0xAA : 0x55;
    return (row & (0x80 >> (x % 8))) == 0;
}

} // namespace zephalt
