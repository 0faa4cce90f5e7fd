#include "menuctl/engine/BarCanvas.h"

#include "platform/gdi/Gdi.h"
#include <algorithm>

namespace zephalt {

using namespace platform::gdi;

namespace {

// A bitmap like the screen's: one made compatible with a fresh memory
// context would be monochrome.
HBITMAP screenBitmap(int width, int height) {
    const HDC screen = GetDC(0);
    const HBITMAP made = CreateCompatibleBitmap(screen, std::max(width, 1), std::max(height, 1));
    ReleaseDC(0, screen);
    return made;
}

} // namespace

BarCanvas::~BarCanvas() {
    if (dc_ != 0) {
        SelectObject(dc_, firstBitmap_);
        DeleteDC(dc_);
    }
    if (bitmap_ != 0) {
        DeleteObject(bitmap_);
    }
}

HDC BarCanvas::dc(int width) {
    if (dc_ == 0) {
        dc_ = CreateCompatibleDC(0);
        bitmap_ = screenBitmap(width + 1, 1);
        firstBitmap_ = SelectObject(dc_, bitmap_);
    }
    return dc_;
}

void BarCanvas::resize(int width, int height) {
    const HDC target = dc(width);
    const HBITMAP made = screenBitmap(width, height);
    if (made == 0) {
        return; // an absurd size keeps the old picture rather than none
    }
    SelectObject(target, made);
    if (bitmap_ != 0) {
        DeleteObject(bitmap_);
    }
    bitmap_ = made;
}

} // namespace zephalt
