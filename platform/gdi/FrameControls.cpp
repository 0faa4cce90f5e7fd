#include "platform/gdi/FrameControls.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Edges.h"
#include "platform/gdi/ObjectTable.h"
#include "platform/gdi/Painting.h"
#include "platform/gdi/SystemColors.h"

#include <array>

namespace platform::gdi {

namespace {

void fill(HDC dc, int left, int top, int right, int bottom, COLORREF color) {
    const HBRUSH brush = CreateSolidBrush(color);
    const RECT r{left, top, right, bottom};
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

void fillSys(HDC dc, int left, int top, int right, int bottom, int index) {
    const RECT r{left, top, right, bottom};
    FillRect(dc, &r, static_cast<HBRUSH>(index + 1));
}

// Caption glyphs of the 16 × 14 button, one string per row from y = 2; '#'
// is ink. Larger buttons scale them by whole pixels.
constexpr int kGlyphTop = 2;
const std::array<const char*, 9> kClose = {
    "................", "....##....##....", ".....##..##.....",
    "......####......", ".......##.......", "......####......",
    ".....##..##.....", "....##....##....", "................"};
const std::array<const char*, 9> kMinimize = {
    "................", "................", "................",
    "................", "................", "................",
    "................", "....######......", "....######......"};
const std::array<const char*, 9> kMaximize = {
    "...#########....", "...#########....", "...#.......#....",
    "...#.......#....", "...#.......#....", "...#.......#....",
    "...#.......#....", "...#.......#....", "...#########...."};
const std::array<const char*, 9> kRestore = {
    ".....#######....", ".....#######....", ".....#.....#....",
    "...#######.#....", "...#######.#....", "...#.....###....",
    "...#.....#......", "...#.....#......", "...#######......"};

void drawGlyph(HDC dc, const std::array<const char*, 9>& rows, int left, int top, int scale,
               int color) {
    for (int row = 0; row < static_cast<int>(rows.size()); ++row)
        for (int col = 0; col < 16; ++col)
            if (rows[static_cast<std::size_t>(row)][col] == '#')
                fillSys(dc, left + col * scale, top + (kGlyphTop + row) * scale,
                        left + (col + 1) * scale, top + (kGlyphTop + row + 1) * scale, color);
}

BOOL drawCaption(HDC dc, const RECT& r, UINT state) {
    const std::array<const char*, 9>* glyph = nullptr;
    switch (state & 0xFF) {
    case DFCS_CAPTIONCLOSE:
        glyph = &kClose;
        break;
    case DFCS_CAPTIONMIN:
        glyph = &kMinimize;
        break;
    case DFCS_CAPTIONMAX:
        glyph = &kMaximize;
        break;
    case DFCS_CAPTIONRESTORE:
        glyph = &kRestore;
        break;
    default:
        return win::FALSE;
    }
    RECT button = r;
    const bool pushed = state & DFCS_PUSHED;
    DrawEdge(dc, &button, pushed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_SOFT | BF_MIDDLE);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    const int scale = std::max(1, std::min(width / 16, height / 14));
    const int left = r.left + (width - 16 * scale) / 2 + (pushed ? 1 : 0);
    const int top = r.top + (height - 14 * scale) / 2 + (pushed ? 1 : 0);
    if (state & DFCS_INACTIVE) {
        drawGlyph(dc, *glyph, left + 1, top + 1, scale, COLOR_BTNHIGHLIGHT);
        drawGlyph(dc, *glyph, left, top, scale, COLOR_BTNSHADOW);
    } else {
        drawGlyph(dc, *glyph, left, top, scale, COLOR_BTNTEXT);
    }
    return win::TRUE;
}

// A filled circle of diameter d whose bounding square starts at (left, top);
// part: 0 all, 1 the upper-left half, 2 the lower-right half.
void disc(HDC dc, int left, int top, int d, COLORREF color, int part = 0) {
    if (d <= 0)
        return;
    const double radius = d / 2.0;
    for (int y = 0; y < d; ++y)
        for (int x = 0; x < d; ++x) {
            const double dx = x + 0.5 - radius;
            const double dy = y + 0.5 - radius;
            if (dx * dx + dy * dy > radius * radius + 0.25)
                continue;
            const bool upperLeft = x + y < d - 1;
            if ((part == 1 && !upperLeft) || (part == 2 && upperLeft))
                continue;
            SetPixel(dc, left + x, top + y, color);
        }
}

BOOL drawMenuGlyph(HDC dc, const RECT& r, UINT state) {
    const UINT kind = state & 0xFF;
    if (kind != DFCS_MENUARROW && kind != DFCS_MENUCHECK && kind != DFCS_MENUBULLET &&
        kind != DFCS_MENUARROWRIGHT)
        return win::FALSE;
    // Drawn as a mask: white ground, black glyph.
    fill(dc, r.left, r.top, r.right, r.bottom, 0xFFFFFF);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    const int d = std::min(width, height);
    const int l = r.left + (width - d) / 2;
    const int t = r.top + (height - d) / 2;
    if (kind == DFCS_MENUCHECK) {
        // A band three sixteenths of the square thick, down 45° then up.
        const int x0 = l + 253 * d / 1000;
        const int y0 = t + 445 * d / 1000;
        const int x1 = l + 409 * d / 1000;
        const int x2 = l + 690 * d / 1000;
        const int thick = 3 * d / 16;
        for (int x = x0; x <= x2 + 1; ++x) {
            const int y = x <= x1 ? y0 + (x - x0) : y0 + (x1 - x0) - (x - x1);
            fill(dc, x, y, x + 1, y + thick + 1, 0x000000);
        }
    } else if (kind == DFCS_MENUBULLET) {
        const int diameter = std::max(1, 234 * d / 750);
        const int cx = l + d - d / 2;
        const int cy = t + d - d / 2;
        disc(dc, cx - diameter / 2, cy - diameter / 2, diameter, 0x000000);
    } else {
        const int apexX = l + 468 * d / 750;
        const int apexY = t + 352 * d / 750 + 1;
        const int half = 187 * d / 750;
        for (int k = 0; k <= half; ++k)
            fill(dc, apexX - k, apexY - k, apexX - k + 1, apexY + k + 1, 0x000000);
    }
    return win::TRUE;
}

BOOL drawButton(HDC dc, const RECT& r, UINT state) {
    const UINT kind = state & 0xFF;
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    const int d = std::min(width, height);
    const int l = r.left + (width - d) / 2;
    const int t = r.top + (height - d) / 2;
    const bool dim = state & (DFCS_INACTIVE | DFCS_PUSHED);
    const int ink = (state & DFCS_INACTIVE) ? COLOR_BTNSHADOW : COLOR_WINDOWTEXT;
    if (kind == DFCS_BUTTONCHECK) {
        RECT box{l, t, l + d, t + d};
        DrawEdge(dc, &box, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
        fillSys(dc, box.left, box.top, box.right, box.bottom, dim ? COLOR_BTNFACE : COLOR_WINDOW);
        if (state & DFCS_CHECKED) {
            // The classic mark: seven columns three pixels tall.
            static constexpr int kStart[7] = {3, 4, 5, 4, 3, 2, 1};
            for (int i = 0; i < 7; ++i)
                fillSys(dc, box.left + 1 + i, box.top + kStart[i], box.left + 2 + i,
                        box.top + kStart[i] + 3, ink);
        }
        return win::TRUE;
    }
    if (kind == DFCS_BUTTONRADIO) {
        const int cx = l + d - d / 2;
        const int cy = t + d - d / 2;
        auto ring = [&](int diameter, int upperLeft, int lowerRight) {
            disc(dc, cx - diameter / 2, cy - diameter / 2, diameter, GetSysColor(upperLeft), 1);
            disc(dc, cx - diameter / 2, cy - diameter / 2, diameter, GetSysColor(lowerRight), 2);
        };
        const int outer = 14 * d / 16;
        ring(outer, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
        ring(outer - 2 * std::max(1, d / 16), COLOR_3DDKSHADOW, COLOR_3DLIGHT);
        const int middle = 10 * d / 16;
        disc(dc, cx - middle / 2, cy - middle / 2, middle,
             GetSysColor(dim ? COLOR_BTNFACE : COLOR_WINDOW));
        if (state & DFCS_CHECKED) {
            const int dot = std::max(1, 6 * d / 16);
            disc(dc, cx - dot / 2, cy - dot / 2, dot, GetSysColor(ink));
        }
        return win::TRUE;
    }
    return win::FALSE;
}

} // namespace

BOOL DrawFrameControl(HDC dc, RECT* rect, UINT type, UINT state) {
    if (!find<DeviceContext>(dc) || !rect)
        return win::FALSE;
    switch (type) {
    case DFC_CAPTION:
        return drawCaption(dc, *rect, state);
    case DFC_MENU:
        return drawMenuGlyph(dc, *rect, state);
    case DFC_BUTTON:
        return drawButton(dc, *rect, state);
    default:
        return win::FALSE;
    }
}

} // namespace platform::gdi
