#include "menuctl/engine/IconPixels.h"

namespace zephalt {

namespace {

int bottomUpRow(int height, int y) {
    return height - 1 - y;
}

} // namespace

IconPixels IconPixels::blank(int width, int height) {
    IconPixels icon;
    if (width < 1 || height < 1 || width > MaxIconSide || height > MaxIconSide) {
        return icon;
    }
    icon.width = width;
    icon.height = height;
    icon.colour = QByteArray(height * colourStride(width), '\0');
    icon.mask = QByteArray(height * maskStride(width), '\0');
    return icon;
}

bool IconPixels::isValid() const {
    return width >= 1 && height >= 1 && width <= MaxIconSide && height <= MaxIconSide &&
           colour.size() == height * colourStride(width) &&
           mask.size() == height * maskStride(width);
}

std::uint32_t IconPixels::pixel(int x, int y) const {
    const int at = bottomUpRow(height, y) * colourStride(width) + x * 3;
    const auto byte = [&](int i) {
        return static_cast<std::uint32_t>(static_cast<uchar>(colour[at + i]));
    };
    return byte(2) | (byte(1) << 8) | (byte(0) << 16);
}

void IconPixels::setPixel(int x, int y, std::uint32_t colorref) {
    const int at = bottomUpRow(height, y) * colourStride(width) + x * 3;
    colour[at] = static_cast<char>((colorref >> 16) & 0xFF);
    colour[at + 1] = static_cast<char>((colorref >> 8) & 0xFF);
    colour[at + 2] = static_cast<char>(colorref & 0xFF);
}

bool IconPixels::transparent(int x, int y) const {
    const int at = bottomUpRow(height, y) * maskStride(width) + x / 8;
    return (static_cast<uchar>(mask[at]) & (0x80 >> (x % 8))) != 0;
}

void IconPixels::setTransparent(int x, int y, bool isTransparent) {
    const int at = bottomUpRow(height, y) * maskStride(width) + x / 8;
    const auto bit = static_cast<uchar>(0x80 >> (x % 8));
    auto byte = static_cast<uchar>(mask[at]);
    byte = isTransparent ? (byte | bit) : (byte & ~bit);
    mask[at] = static_cast<char>(byte);
}

} // namespace zephalt
