#pragma once
// An icon's pixels as the control keeps and stores them: a 24-bit colour
// bitmap and a 1-bit mask (1 = transparent), both as bottom-up rows padded to
// four bytes, the layout of the stored icon byte array. Pixel rules (grey,
// negative, blend) work on this form without a device context.
#include <QByteArray>
#include <cstdint>

namespace zephalt {

// Largest side the control accepts for an icon.
constexpr int MaxIconSide = 256;

struct IconPixels {
    int width = 0;
    int height = 0;
    QByteArray colour; // height × colourStride(width)
    QByteArray mask;   // height × maskStride(width)

    static int colourStride(int width) { return ((width * 24 + 31) / 32) * 4; }
    static int maskStride(int width) { return ((width + 31) / 32) * 4; }

    // A fully opaque black icon of that size; a size outside 1..MaxIconSide
    // gives an empty (invalid) icon.
    static IconPixels blank(int width, int height);
    bool isValid() const;

    // (x, y) counted from the top-left corner; the colour is 0x00BBGGRR.
    std::uint32_t pixel(int x, int y) const;
    void setPixel(int x, int y, std::uint32_t colorref);
    bool transparent(int x, int y) const;
    void setTransparent(int x, int y, bool transparent);

    friend bool operator==(const IconPixels&, const IconPixels&) = default;
};

} // namespace zephalt
