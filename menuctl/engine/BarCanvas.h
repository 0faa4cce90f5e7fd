#pragma once
// The off-screen picture of a title bar: a memory device context that holds
// the rendered bar between openings of its popup. The first bitmap of the
// context is put back and the context deleted when the canvas ends.
#include "platform/gdi/GdiTypes.h"

namespace zephalt {

class BarCanvas {
public:
    BarCanvas() = default;
    ~BarCanvas();
    BarCanvas(const BarCanvas&) = delete;
    BarCanvas& operator=(const BarCanvas&) = delete;

    // The context, made on first use with a bitmap of width × 1 pixels.
    platform::gdi::HDC dc(int width);
    // Replaces the bitmap by a new screen-compatible one of that size.
    void resize(int width, int height);

private:
    platform::gdi::HDC dc_ = 0;
    platform::gdi::HGDIOBJ firstBitmap_ = 0;
    platform::gdi::HBITMAP bitmap_ = 0;
};

} // namespace zephalt
