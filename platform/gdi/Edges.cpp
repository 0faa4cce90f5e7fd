#include "platform/gdi/Edges.h"

#include "platform/gdi/ObjectTable.h"
#include "platform/gdi/Painting.h"
#include "platform/gdi/SystemColors.h"

#include <set>

namespace platform::gdi {

namespace {

struct EdgeColors {
    int outerTopLeft = -1; // system colour indexes, -1 = no line
    int innerTopLeft = -1;
    int innerBottomRight = -1;
    int outerBottomRight = -1;
};

EdgeColors colorsOf(UINT edge, UINT flags) {
    EdgeColors c;
    const bool soft = flags & BF_SOFT;
    if (edge & BDR_RAISEDOUTER) {
        c.outerTopLeft = soft ? COLOR_BTNHIGHLIGHT : COLOR_3DLIGHT;
        c.outerBottomRight = COLOR_3DDKSHADOW;
    } else if (edge & BDR_SUNKENOUTER) {
        c.outerTopLeft = soft ? COLOR_3DDKSHADOW : COLOR_BTNSHADOW;
        c.outerBottomRight = COLOR_BTNHIGHLIGHT;
    }
    if (edge & BDR_RAISEDINNER) {
        c.innerTopLeft = soft ? COLOR_3DLIGHT : COLOR_BTNHIGHLIGHT;
        c.innerBottomRight = COLOR_BTNSHADOW;
    } else if (edge & BDR_SUNKENINNER) {
        c.innerTopLeft = soft ? COLOR_BTNSHADOW : COLOR_3DDKSHADOW;
        c.innerBottomRight = COLOR_3DLIGHT;
    }
    if (flags & (BF_MONO | BF_FLAT)) {
        const int outer = (flags & BF_MONO) ? COLOR_WINDOWFRAME : COLOR_BTNSHADOW;
        const int inner = (flags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE;
        if (c.outerTopLeft >= 0)
            c.outerTopLeft = c.outerBottomRight = outer;
        if (c.innerTopLeft >= 0)
            c.innerTopLeft = c.innerBottomRight = inner;
    }
    // A lone inner edge is drawn as the one line at the outer position.
    if (c.outerTopLeft < 0) {
        c.outerTopLeft = c.innerTopLeft;
        c.outerBottomRight = c.innerBottomRight;
        c.innerTopLeft = c.innerBottomRight = -1;
    }
    return c;
}

void line(HDC dc, int left, int top, int right, int bottom, int color) {
    if (color < 0 || right <= left || bottom <= top)
        return;
    const RECT r{left, top, right, bottom};
    FillRect(dc, &r, static_cast<HBRUSH>(color + 1));
}

} // namespace

BOOL DrawEdge(HDC dc, RECT* rect, UINT edge, UINT flags) {
    if (!find<DeviceContext>(dc) || !rect)
        return win::FALSE;
    if ((edge & BDR_OUTER) == BDR_OUTER || (edge & BDR_INNER) == BDR_INNER)
        return win::FALSE;
    const EdgeColors c = colorsOf(edge, flags);
    const bool left = flags & BF_LEFT;
    const bool top = flags & BF_TOP;
    const bool right = flags & BF_RIGHT;
    const bool bottom = flags & BF_BOTTOM;
    const RECT r = *rect;

    // Outer ring: top and left first, then bottom and right, which own the
    // top-right and bottom-left corners.
    if (top)
        line(dc, r.left, r.top, r.right, r.top + 1, c.outerTopLeft);
    if (left)
        line(dc, r.left, r.top, r.left + 1, r.bottom, c.outerTopLeft);
    if (bottom)
        line(dc, r.left, r.bottom - 1, r.right, r.bottom, c.outerBottomRight);
    if (right)
        line(dc, r.right - 1, r.top, r.right, r.bottom, c.outerBottomRight);

    // Inner ring, one pixel shorter at each corner whose two sides are drawn.
    const int lines = (c.outerTopLeft >= 0 ? 1 : 0) + (c.innerTopLeft >= 0 ? 1 : 0);
    if (c.innerTopLeft >= 0) {
        const int x0 = r.left + (left ? 1 : 0);
        const int x1 = r.right - (right ? 1 : 0);
        const int y0 = r.top + (top ? 1 : 0);
        const int y1 = r.bottom - (bottom ? 1 : 0);
        if (top)
            line(dc, x0, r.top + 1, x1, r.top + 2, c.innerTopLeft);
        if (left)
            line(dc, r.left + 1, y0, r.left + 2, y1, c.innerTopLeft);
        if (bottom)
            line(dc, x0, r.bottom - 2, x1, r.bottom - 1, c.innerBottomRight);
        if (right)
            line(dc, r.right - 2, y0, r.right - 1, y1, c.innerBottomRight);
    }

    RECT inside = r;
    if (left)
        inside.left += lines;
    if (top)
        inside.top += lines;
    if (right)
        inside.right -= lines;
    if (bottom)
        inside.bottom -= lines;
    if (flags & BF_MIDDLE)
        line(dc, inside.left, inside.top, inside.right, inside.bottom,
             (flags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE);
    if (flags & BF_ADJUST)
        *rect = inside;
    return win::TRUE;
}

BOOL DrawFocusRect(HDC dc, const RECT* rect) {
    DeviceContext* context = find<DeviceContext>(dc);
    if (!context || !rect)
        return win::FALSE;
    QImage* surface = surfaceOf(*context);
    if (!surface)
        return win::FALSE;
    const QRect box = rectOf(*rect).translated(context->origin);
    if (box.isEmpty())
        return win::TRUE;
    const QRect clip = clipOf(*context);
    // Each outline pixel once, even where the sides meet or coincide.
    std::set<std::pair<int, int>> outline;
    for (int x = box.left(); x <= box.right(); ++x) {
        outline.emplace(x, box.top());
        outline.emplace(x, box.bottom());
    }
    for (int y = box.top(); y <= box.bottom(); ++y) {
        outline.emplace(box.left(), y);
        outline.emplace(box.right(), y);
    }
    for (const auto& [x, y] : outline) {
        if ((x + y) % 2 != 0 || !clip.contains(x, y))
            continue;
        QRgb& pixel = reinterpret_cast<QRgb*>(surface->scanLine(y))[x];
        pixel = 0xFF000000u | ((pixel ^ 0xFFFFFFu) & 0xFFFFFFu);
    }
    return win::TRUE;
}

} // namespace platform::gdi
