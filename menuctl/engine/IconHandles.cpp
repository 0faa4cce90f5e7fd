#include "menuctl/engine/IconHandles.h"
#include "platform/gdi/Gdi.h"
#include <cstdlib>

namespace zephalt {

using namespace platform::gdi;

namespace {

BITMAPINFO header(int width, int height, int bitCount) {
    BITMAPINFO info;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height; // bottom-up
    info.bmiHeader.biBitCount = static_cast<WORD>(bitCount);
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiColors[0] = {0, 0, 0, 0};
    info.bmiColors[1] = {255, 255, 255, 0};
    return info;
}

} // namespace

std::uintptr_t iconFromPixels(const IconPixels& pixels) {
    if (!pixels.isValid()) {
        return 0;
    }
    const HDC screen = GetDC(0);
    const HBITMAP colour = CreateCompatibleBitmap(screen, pixels.width, pixels.height);
    const HBITMAP mask = CreateBitmap(pixels.width, pixels.height, 1, 1, nullptr);
    const BITMAPINFO colourInfo = header(pixels.width, pixels.height, 24);
    const BITMAPINFO maskInfo = header(pixels.width, pixels.height, 1);
    SetDIBits(screen, colour, 0, static_cast<UINT>(pixels.height), pixels.colour.constData(),
              &colourInfo, DIB_RGB_COLORS);
    SetDIBits(screen, mask, 0, static_cast<UINT>(pixels.height), pixels.mask.constData(), &maskInfo,
              DIB_RGB_COLORS);
    ICONINFO info;
    info.fIcon = 1;
    info.hbmColor = colour;
    info.hbmMask = mask;
    const HICON icon = CreateIconIndirect(&info);
    DeleteObject(colour);
    DeleteObject(mask);
    ReleaseDC(0, screen);
    return icon;
}

std::optional<IconPixels> pixelsFromBitmap(std::uintptr_t bitmap) {
    const HDC screen = GetDC(0);
    BITMAPINFO size;
    std::optional<IconPixels> pixels;
    if (bitmap != 0 && GetDIBits(screen, bitmap, 0, 0, nullptr, &size, DIB_RGB_COLORS)) {
        IconPixels read =
            IconPixels::blank(size.bmiHeader.biWidth, std::abs(size.bmiHeader.biHeight));
        BITMAPINFO colourInfo = header(read.width, read.height, 24);
        if (read.isValid() && GetDIBits(screen, bitmap, 0, static_cast<UINT>(read.height),
                                        read.colour.data(), &colourInfo, DIB_RGB_COLORS)) {
            pixels = std::move(read);
        }
    }
    ReleaseDC(0, screen);
    return pixels;
}

std::optional<IconPixels> pixelsFromIcon(std::uintptr_t icon) {
    ICONINFO info;
    if (icon == 0 || !GetIconInfo(icon, &info)) {
        return std::nullopt;
    }
    const HDC screen = GetDC(0);
    BITMAPINFO size;
    GetDIBits(screen, info.hbmColor, 0, 0, nullptr, &size, DIB_RGB_COLORS);
    IconPixels pixels =
        IconPixels::blank(size.bmiHeader.biWidth, std::abs(size.bmiHeader.biHeight));
    if (pixels.isValid()) {
        BITMAPINFO colourInfo = header(pixels.width, pixels.height, 24);
        BITMAPINFO maskInfo = header(pixels.width, pixels.height, 1);
        GetDIBits(screen, info.hbmColor, 0, static_cast<UINT>(pixels.height), pixels.colour.data(),
                  &colourInfo, DIB_RGB_COLORS);
        GetDIBits(screen, info.hbmMask, 0, static_cast<UINT>(pixels.height), pixels.mask.data(),
                  &maskInfo, DIB_RGB_COLORS);
    }
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    ReleaseDC(0, screen);
    if (!pixels.isValid()) {
        return std::nullopt;
    }
    return pixels;
}

} // namespace zephalt
