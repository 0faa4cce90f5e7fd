#include "menuctl/engine/PixelRules.h"
#include <array>
#include <cmath>
#include <utility>
#include <vector>

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

IconPixels maskByKey(const IconPixels& picture, int maskMode, std::uint32_t maskColour) {
    if (!picture.isValid()) {
        return {};
    }
    IconPixels out = picture;
    const int w = picture.width;
    const int h = picture.height;
    const int mode = maskMode & ~zxMM_Round;
    std::uint32_t key = maskColour;
    switch (mode) {
    case zxMM_LTPixel:
        key = picture.pixel(0, 0);
        break;
    case zxMM_RTPixel:
        key = picture.pixel(w - 1, 0);
        break;
    case zxMM_LBPixel:
        key = picture.pixel(0, h - 1);
        break;
    case zxMM_RBPixel:
        key = picture.pixel(w - 1, h - 1);
        break;
    case zxMM_Nothing:
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                out.setTransparent(x, y, false);
            }
        }
        return out;
    default:
        break;
    }
    std::vector<char> clear(static_cast<std::size_t>(w * h), 0);
    auto at = [w](int x, int y) { return static_cast<std::size_t>(y * w + x); };
    if (maskMode & zxMM_Round) {
        // A flood from every key-coloured border pixel, four neighbours a step.
        std::vector<std::pair<int, int>> todo;
        for (int x = 0; x < w; ++x) {
            todo.emplace_back(x, 0);
            todo.emplace_back(x, h - 1);
        }
        for (int y = 1; y < h - 1; ++y) {
            todo.emplace_back(0, y);
            todo.emplace_back(w - 1, y);
        }
        while (!todo.empty()) {
            const auto [x, y] = todo.back();
            todo.pop_back();
            if (x < 0 || y < 0 || x >= w || y >= h || clear[at(x, y)] ||
                picture.pixel(x, y) != key) {
                continue;
            }
            clear[at(x, y)] = 1;
            todo.insert(todo.end(), {{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}});
        }
    } else {
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                clear[at(x, y)] = picture.pixel(x, y) == key ? 1 : 0;
            }
        }
    }
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const bool transparent = clear[at(x, y)] != 0;
            out.setTransparent(x, y, transparent);
            if (transparent) {
                out.setPixel(x, y, 0);
            }
        }
    }
    return out;
}

bool checkerCovers(int x, int y) {
    // The pattern's 0 bits take the pattern colour: the first pass (SRCAND,
    // background white, text black) blackens them, the second (SRCPAINT,
    // background black, text colour) paints the colour into them.
    const int row = (y % 2 == 0) ? 0xAA : 0x55;
    return (row & (0x80 >> (x % 8))) == 0;
}

} // namespace zephalt
