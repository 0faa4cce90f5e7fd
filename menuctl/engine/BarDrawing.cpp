#include "menuctl/engine/BarDrawing.h"

#include "menuctl/engine/ColourSpace.h"
#include "menuctl/engine/IconHandles.h"
#include "platform/gdi/Gdi.h"

namespace zephalt {

using namespace platform::gdi;

void DrawGradient(HDC dc, int x, int y, int w, int h, OleColor a, OleColor b, int bits) {
    const std::vector<std::uint32_t> colours = gradientColours(a, b, bits, w, h);
    for (std::size_t i = 0; i < colours.size(); ++i) {
        const HPEN pen = CreatePen(PS_SOLID, 1, colours[i]);
        const HGDIOBJ previous = SelectObject(dc, pen);
        const int step = static_cast<int>(i);
        if (bits & 1) {
            MoveToEx(dc, x + step, y, nullptr);
            LineTo(dc, x + step, y + h);
        } else {
            MoveToEx(dc, x, y + step, nullptr);
            LineTo(dc, x + w, y + step);
        }
        SelectObject(dc, previous);
        DeleteObject(pen);
    }
}

void DrawCheckerPattern(HDC dc, std::uint32_t colorref, int x, int y, int w, int h) {
    if (w < 1 || h < 1) {
        return;
    }
    static const WORD rows[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
    const HBITMAP patternBits = CreateBitmap(8, 8, 1, 1, rows);
    const HBRUSH pattern = CreatePatternBrush(patternBits);
    const HDC mono = CreateCompatibleDC(dc);
    const HBITMAP monoBits = CreateBitmap(w, h, 1, 1, nullptr);
    const HGDIOBJ previousBits = SelectObject(mono, monoBits);
    const HGDIOBJ previousBrush = SelectObject(mono, pattern);
    PatBlt(mono, 0, 0, w, h, PATCOPY);
    SelectObject(mono, previousBrush);

    // The pattern's 0 bits are blackened, then take the colour.
    const COLORREF oldBack = SetBkColor(dc, 0xFFFFFF);
    const COLORREF oldText = SetTextColor(dc, 0);
    BitBlt(dc, x, y, w, h, mono, 0, 0, SRCAND);
    SetBkColor(dc, 0);
    SetTextColor(dc, colorref);
    BitBlt(dc, x, y, w, h, mono, 0, 0, SRCPAINT);
    SetBkColor(dc, oldBack);
    SetTextColor(dc, oldText);

    SelectObject(mono, previousBits);
    DeleteObject(monoBits);
    DeleteDC(mono);
    DeleteObject(pattern);
    DeleteObject(patternBits);
}

void drawPixels(HDC dc, const IconPixels& pixels, int x, int y, int w, int h) {
    const HICON icon = iconFromPixels(pixels);
    if (icon == 0) {
        return;
    }
    if (w > 0 && h > 0) {
        const HANDLE stretched = CopyImage(icon, IMAGE_ICON, w, h, 0);
        DrawIconEx(dc, x, y, static_cast<HICON>(stretched), w, h, 0, 0, DI_NORMAL);
        DestroyIcon(static_cast<HICON>(stretched));
    } else {
        DrawIconEx(dc, x, y, icon, 0, 0, 0, 0, DI_NORMAL);
    }
    DestroyIcon(icon);
}

} // namespace zephalt
