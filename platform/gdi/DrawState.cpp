#include "platform/gdi/DrawState.h"

#include "platform/gdi/Bitmaps.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/IconObjects.h"
#include "platform/gdi/Icons.h"
#include "platform/gdi/Painting.h"
#include "platform/gdi/SystemColors.h"
#include "platform/gdi/Text.h"
#include "platform/text/Codepage.h"

#include <cstring>

namespace platform::gdi {

namespace {

// Paints the ink (0 bits) of a monochrome mask in the brush's colour, leaving
// the destination under 1 bits as it was (PSDPxax with black on white).
constexpr DWORD kPaintInk = 0x00B8074A;

struct Image {
    UINT kind = 0;
    const char* text = nullptr; // code page 932, the caller's
    int length = 0;
    HICON icon = 0;
    HBITMAP bitmap = 0;
};

bool measure(HDC dc, const Image& image, int* width, int* height) {
    if (image.kind == DST_TEXT || image.kind == DST_PREFIXTEXT) {
        RECT box{0, 0, 0, 0};
        if (image.length == 0)
            return false;
        const UINT format = DT_CALCRECT | (image.kind == DST_TEXT ? DT_NOPREFIX : 0);
        DrawTextA(dc, image.text, image.length, &box, format);
        *width = box.right;
        *height = box.bottom;
        return true;
    }
    if (image.kind == DST_ICON) {
        const Icon* icon = findIcon(image.icon);
        if (!icon)
            return false;
        *width = icon->width();
        *height = icon->height();
        return true;
    }
    if (image.kind == DST_BITMAP) {
        BITMAP info;
        if (!GetObjectA(image.bitmap, sizeof info, &info))
            return false;
        *width = info.bmWidth;
        *height = info.bmHeight;
        return true;
    }
    return false;
}

// Draws the image into dc at (x, y), cx × cy; used both for the normal state
// and for the monochrome mask of the others.
void render(HDC dc, const Image& image, int x, int y, int cx, int cy, UINT flags) {
    if (image.kind == DST_TEXT || image.kind == DST_PREFIXTEXT) {
        RECT box{x, y, x + cx, y + cy};
        UINT format = DT_NOCLIP | (image.kind == DST_TEXT ? DT_NOPREFIX : 0);
        if (flags & DSS_RIGHT)
            format |= DT_RIGHT;
        DrawTextA(dc, image.text, image.length, &box, format);
    } else if (image.kind == DST_ICON) {
        DrawIconEx(dc, x, y, image.icon, 0, 0, 0, 0, DI_NORMAL);
    } else {
        const HDC source = CreateCompatibleDC(dc);
        const HGDIOBJ old = SelectObject(source, image.bitmap);
        BitBlt(dc, x, y, cx, cy, source, 0, 0, SRCCOPY);
        SelectObject(source, old);
        DeleteDC(source);
    }
}

void paintMask(HDC dc, HDC mask, int x, int y, int cx, int cy, HBRUSH brush) {
    const COLORREF text = SetTextColor(dc, 0x000000);
    const COLORREF back = SetBkColor(dc, 0xFFFFFF);
    const HGDIOBJ old = SelectObject(dc, brush);
    BitBlt(dc, x, y, cx, cy, mask, 0, 0, kPaintInk);
    SelectObject(dc, old);
    SetTextColor(dc, text);
    SetBkColor(dc, back);
}

} // namespace

BOOL DrawStateA(HDC dc, HBRUSH brush, DRAWSTATEPROC, win::LPARAM data, win::WPARAM length, int x,
                int y, int width, int height, UINT flags) {
    if (!imageOfDC(dc))
        return win::FALSE;
    Image image;
    image.kind = flags & 0xF;
    if (image.kind == DST_TEXT || image.kind == DST_PREFIXTEXT) {
        const char* text = reinterpret_cast<const char*>(data);
        if (!text)
            return win::FALSE;
        image.text = text;
        image.length = static_cast<int>(length ? length : std::strlen(text));
    } else if (image.kind == DST_ICON) {
        image.icon = static_cast<HICON>(data);
    } else if (image.kind == DST_BITMAP) {
        image.bitmap = static_cast<HBITMAP>(data);
    } else {
        return win::FALSE;
    }
    const UINT state = flags & (DSS_UNION | DSS_DISABLED | DSS_MONO);
    const bool text = image.kind == DST_TEXT || image.kind == DST_PREFIXTEXT;
    if (text && state == DSS_NORMAL && !(flags & DSS_RIGHT)) {
        // Left-aligned text without clipping needs no size.
        if (image.length == 0)
            return win::FALSE;
        render(dc, image, x, y, width, height, flags);
        return win::TRUE;
    }
    int ownWidth = 0;
    int ownHeight = 0;
    if (!measure(dc, image, &ownWidth, &ownHeight))
        return win::FALSE;
    const int cx = width ? width : ownWidth;
    const int cy = height ? height : ownHeight;

    if (state == DSS_NORMAL) {
        render(dc, image, x, y, cx, cy, flags);
        return win::TRUE;
    }
    if (cx <= 0 || cy <= 0)
        return win::TRUE;

    // The image as ink (0) on white (1) in a monochrome bitmap: text black on
    // white with the DC's font and the default alignment; colour through the
    // colour-to-monochrome rule with a white background.
    const HDC mask = CreateCompatibleDC(dc);
    const HBITMAP bits = CreateBitmap(cx, cy, 1, 1, nullptr);
    const HGDIOBJ oldBits = SelectObject(mask, bits);
    PatBlt(mask, 0, 0, cx, cy, WHITENESS);
    const HGDIOBJ oldFont = SelectObject(mask, GetCurrentObject(dc, OBJ_FONT));
    SetBkMode(mask, TRANSPARENT);
    render(mask, image, 0, 0, cx, cy, flags & ~DSS_RIGHT);
    if (flags & DSS_UNION) {
        for (int py = 0; py < cy; ++py)
            for (int px = (py + 1) % 2; px < cx; px += 2)
                SetPixel(mask, px, py, 0xFFFFFF);
    }
    if (flags & DSS_DISABLED) {
        paintMask(dc, mask, x + 1, y + 1, cx, cy, GetSysColorBrush(COLOR_3DHILIGHT));
        paintMask(dc, mask, x, y, cx, cy, GetSysColorBrush(COLOR_3DSHADOW));
    } else {
        paintMask(dc, mask, x, y, cx, cy, brush ? brush : GetStockObject(BLACK_BRUSH));
    }
    SelectObject(mask, oldFont);
    SelectObject(mask, oldBits);
    DeleteObject(bits);
    DeleteDC(mask);
    return win::TRUE;
}

} // namespace platform::gdi
