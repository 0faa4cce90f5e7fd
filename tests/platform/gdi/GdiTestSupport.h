#pragma once
// Small surfaces for pixel-exact tests: a memory DC with its own bitmap,
// released at the end of the test, and pixel maps written as strings.
#include "platform/gdi/Gdi.h"

#include <string>
#include <vector>

namespace gditest {

using namespace platform::gdi;

class Surface {
public:
    // bitsPixel 1 makes a monochrome surface, else a 32-bit one.
    Surface(int width, int height, int bitsPixel = 32, COLORREF fill = 0xFFFFFF)
        : width_(width), height_(height) {
        dc_ = CreateCompatibleDC(0);
        bitmap_ = CreateBitmap(width, height, 1, bitsPixel == 1 ? 1 : 32, nullptr);
        old_ = SelectObject(dc_, bitmap_);
        this->fill(fill);
    }
    ~Surface() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    HDC dc() const { return dc_; }
    HBITMAP bitmap() const { return bitmap_; }
    COLORREF at(int x, int y) const { return GetPixel(dc_, x, y); }
    void fill(COLORREF color) {
        const HBRUSH brush = CreateSolidBrush(color);
        const RECT all{0, 0, width_, height_};
        FillRect(dc_, &all, brush);
        DeleteObject(brush);
    }
    // One character per pixel, rows joined by '|': a letter from the legend
    // for each colour, '?' for a colour not in it.
    std::string map(const std::vector<std::pair<char, COLORREF>>& legend) const {
        std::string out;
        for (int y = 0; y < height_; ++y) {
            if (y)
                out += '|';
            for (int x = 0; x < width_; ++x) {
                char c = '?';
                for (const auto& [letter, color] : legend)
                    if (at(x, y) == color)
                        c = letter;
                out += c;
            }
        }
        return out;
    }

private:
    int width_;
    int height_;
    HDC dc_ = 0;
    HBITMAP bitmap_ = 0;
    HGDIOBJ old_ = 0;
};

// The box of pixels that differ from the background, as RECT (exclusive).
inline RECT inkBox(const Surface& surface, int width, int height, COLORREF background) {
    RECT box{width, height, 0, 0};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (surface.at(x, y) != background) {
                box.left = std::min<int>(box.left, x);
                box.top = std::min<int>(box.top, y);
                box.right = std::max<int>(box.right, x + 1);
                box.bottom = std::max<int>(box.bottom, y + 1);
            }
    return box;
}

} // namespace gditest
