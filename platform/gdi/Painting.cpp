#include "platform/gdi/Painting.h"

#include "platform/gdi/RasterOps.h"
#include "platform/gdi/SystemColors.h"

#include <unordered_map>
#include <vector>

namespace platform::gdi {

namespace {

DeviceContext* dcOf(HDC dc) {
    return find<DeviceContext>(dc);
}

// The binary raster operation of a pen: result bit = bit (2·P + D) of rop2 − 1.
std::uint32_t rop2(int code, std::uint32_t p, std::uint32_t d) {
    if (code == R2_COPYPEN)
        return p;
    const int table = code - 1;
    std::uint32_t result = 0;
    for (int k = 0; k < 4; ++k)
        if ((table >> k) & 1)
            result |= ((k & 2) ? p : ~p) & ((k & 1) ? d : ~d);
    return result & 0xFFFFFF;
}

// One pixel of the pen, device coordinates, inside the clip.
void penPixel(DeviceContext& dc, QImage& surface, const QRect& clip, int x, int y, QRgb pen) {
    if (!clip.contains(x, y))
        return;
    QRgb& pixel = reinterpret_cast<QRgb*>(surface.scanLine(y))[x];
    pixel = 0xFF000000u | rop2(dc.rop2, pen & 0xFFFFFF, pixel & 0xFFFFFF);
}

bool fillWithBrush(DeviceContext& dc, const RECT& rect, const Brush* brush) {
    if (!brush)
        return false;
    const QRect area = rectOf(rect).translated(dc.origin);
    rasterBlit(dc, area, nullptr, brush, PATCOPY);
    return true;
}

} // namespace

HBRUSH CreateSolidBrush(COLORREF color) {
    auto brush = std::make_unique<Brush>();
    brush->color = color & 0xFFFFFF;
    return addObject(std::move(brush));
}

HBRUSH CreatePatternBrush(HBITMAP bitmap) {
    const Bitmap* source = find<Bitmap>(bitmap);
    if (!source)
        return 0;
    auto brush = std::make_unique<Brush>();
    brush->pattern = source->image.copy();
    brush->monoPattern = source->monochrome();
    return addObject(std::move(brush));
}

HBRUSH GetSysColorBrush(int index) {
    if (index < 0 || index > syscolor::Last)
        return 0;
    // Made once per index, like the platform's own stock brushes.
    static std::unordered_map<int, HBRUSH> brushes;
    const auto it = brushes.find(index);
    if (it != brushes.end() && find<Brush>(it->second))
        return it->second;
    auto brush = std::make_unique<Brush>();
    brush->color = GetSysColor(index);
    brush->stock = true;
    const HBRUSH handle = addObject(std::move(brush));
    brushes[index] = handle;
    return handle;
}

HPEN CreatePen(int style, int width, COLORREF color) {
    auto pen = std::make_unique<Pen>();
    pen->style = style;
    pen->width = std::max(1, width);
    pen->color = color & 0xFFFFFF;
    return addObject(std::move(pen));
}

int FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
    DeviceContext* context = dcOf(dc);
    Brush scratch;
    if (!context || !rect)
        return 0;
    return fillWithBrush(*context, *rect, brushOf(brush, scratch)) ? 1 : 0;
}

int FrameRect(HDC dc, const RECT* rect, HBRUSH brush) {
    DeviceContext* context = dcOf(dc);
    Brush scratch;
    const Brush* with = brushOf(brush, scratch);
    if (!context || !rect || !with)
        return 0;
    if (rect->right <= rect->left || rect->bottom <= rect->top)
        return 1;
    const RECT& r = *rect;
    fillWithBrush(*context, RECT{r.left, r.top, r.right, r.top + 1}, with);
    fillWithBrush(*context, RECT{r.left, r.bottom - 1, r.right, r.bottom}, with);
    fillWithBrush(*context, RECT{r.left, r.top, r.left + 1, r.bottom}, with);
    fillWithBrush(*context, RECT{r.right - 1, r.top, r.right, r.bottom}, with);
    return 1;
}

BOOL InvertRect(HDC dc, const RECT* rect) {
    DeviceContext* context = dcOf(dc);
    if (!context || !rect)
        return win::FALSE;
    rasterBlit(*context, rectOf(*rect).translated(context->origin), nullptr, nullptr, DSTINVERT);
    return win::TRUE;
}

BOOL Rectangle(HDC dc, int left, int top, int right, int bottom) {
    DeviceContext* context = dcOf(dc);
    if (!context)
        return win::FALSE;
    if (right < left)
        std::swap(left, right);
    if (bottom < top)
        std::swap(top, bottom);
    const Pen* pen = findSelected<Pen>(context->pen);
    const bool outline = pen && pen->style != PS_NULL;
    Brush scratch;
    const Brush* brush = brushOf(context->brush, scratch);
    const int inset = outline ? 1 : 0;
    if (brush && !brush->hollow)
        fillWithBrush(*context, RECT{left + inset, top + inset, right - inset, bottom - inset},
                      brush);
    if (outline && right - left >= 1 && bottom - top >= 1) {
        MoveToEx(dc, left, top, nullptr);
        LineTo(dc, right - 1, top);
        LineTo(dc, right - 1, bottom - 1);
        LineTo(dc, left, bottom - 1);
        LineTo(dc, left, top);
    }
    return win::TRUE;
}

BOOL MoveToEx(HDC dc, int x, int y, POINT* previous) {
    DeviceContext* context = dcOf(dc);
    if (!context)
        return win::FALSE;
    if (previous)
        *previous = POINT{context->current.x(), context->current.y()};
    context->current = QPoint(x, y);
    return win::TRUE;
}

BOOL LineTo(HDC dc, int x, int y) {
    DeviceContext* context = dcOf(dc);
    if (!context)
        return win::FALSE;
    QImage* surface = surfaceOf(*context);
    const Pen* pen = findSelected<Pen>(context->pen);
    const QPoint from = context->current + context->origin;
    const QPoint to = QPoint(x, y) + context->origin;
    context->current = QPoint(x, y);
    if (!surface || !pen || pen->style == PS_NULL)
        return win::TRUE;
    QRgb color = rgbOf(pen->color);
    if (bitsPixelOf(*context) == 1)
        color = monoOf(color);
    const QRect clip = clipOf(*context);
    // Bresenham, the end point left out.
    int x0 = from.x();
    int y0 = from.y();
    const int dx = std::abs(to.x() - x0);
    const int dy = -std::abs(to.y() - y0);
    const int sx = x0 < to.x() ? 1 : -1;
    const int sy = y0 < to.y() ? 1 : -1;
    int error = dx + dy;
    const int half = (pen->width - 1) / 2;
    while (x0 != to.x() || y0 != to.y()) {
        for (int oy = -half; oy < pen->width - half; ++oy)
            for (int ox = -half; ox < pen->width - half; ++ox)
                penPixel(*context, *surface, clip, x0 + ox, y0 + oy, color);
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x0 += sx;
        }
        if (twice <= dx) {
            error += dx;
            y0 += sy;
        }
    }
    return win::TRUE;
}

COLORREF SetPixel(HDC dc, int x, int y, COLORREF color) {
    DeviceContext* context = dcOf(dc);
    if (!context)
        return CLR_INVALID;
    QImage* surface = surfaceOf(*context);
    const QPoint at = QPoint(x, y) + context->origin;
    if (!surface || !clipOf(*context).contains(at))
        return CLR_INVALID;
    QRgb value = rgbOf(color);
    if (bitsPixelOf(*context) == 1)
        value = monoOf(value);
    reinterpret_cast<QRgb*>(surface->scanLine(at.y()))[at.x()] = value;
    return colorrefOf(value);
}

COLORREF GetPixel(HDC dc, int x, int y) {
    DeviceContext* context = dcOf(dc);
    if (!context)
        return CLR_INVALID;
    const QImage* surface = surfaceOf(*context);
    const QPoint at = QPoint(x, y) + context->origin;
    if (!surface || !clipOf(*context).contains(at))
        return CLR_INVALID;
    return colorrefOf(reinterpret_cast<const QRgb*>(surface->constScanLine(at.y()))[at.x()]);
}

BOOL ExtFloodFill(HDC dc, int x, int y, COLORREF color, UINT type) {
    DeviceContext* context = dcOf(dc);
    if (!context || (type != FLOODFILLBORDER && type != FLOODFILLSURFACE))
        return win::FALSE;
    QImage* surface = surfaceOf(*context);
    Brush scratch;
    const Brush* brush = brushOf(context->brush, scratch);
    const QPoint start = QPoint(x, y) + context->origin;
    const QRect clip = clipOf(*context);
    if (!surface || !brush || brush->hollow || !clip.contains(start))
        return win::FALSE;
    const bool mono = bitsPixelOf(*context) == 1;
    const QRgb key = (mono ? monoOf(rgbOf(color)) : rgbOf(color)) & 0xFFFFFF;
    auto pixelAt = [&](int px, int py) {
        return reinterpret_cast<const QRgb*>(surface->constScanLine(py))[px] & 0xFFFFFF;
    };
    auto fillable = [&](int px, int py) {
        const bool same = pixelAt(px, py) == key;
        return type == FLOODFILLSURFACE ? same : !same;
    };
    if (!fillable(start.x(), start.y()))
        return win::FALSE;

    // The fill decides on the image as it was; the brush may paint pixels
    // that are themselves fillable, so visited pixels are remembered.
    std::vector<bool> done(static_cast<std::size_t>(clip.width()) * clip.height(), false);
    auto index = [&](int px, int py) {
        return static_cast<std::size_t>(py - clip.top()) * clip.width() + (px - clip.left());
    };
    std::vector<QPoint> pending{start};
    while (!pending.empty()) {
        const QPoint start = pending.back();
        pending.pop_back();
        if (done[index(start.x(), start.y())] || !fillable(start.x(), start.y()))
            continue;
        int left = start.x();
        while (left > clip.left() && !done[index(left - 1, start.y())] &&
               fillable(left - 1, start.y()))
            --left;
        int right = start.x();
        while (right < clip.right() && !done[index(right + 1, start.y())] &&
               fillable(right + 1, start.y()))
            ++right;
        for (int px = left; px <= right; ++px)
            done[index(px, start.y())] = true;
        for (const int ny : {start.y() - 1, start.y() + 1}) {
            if (ny < clip.top() || ny > clip.bottom())
                continue;
            for (int px = left; px <= right; ++px)
                if (!done[index(px, ny)] && fillable(px, ny))
                    pending.emplace_back(px, ny);
        }
        QRgb* line = reinterpret_cast<QRgb*>(surface->scanLine(start.y()));
        for (int px = left; px <= right; ++px)
            line[px] = 0xFF000000u | patternPixel(*context, *brush, px, start.y(), mono);
    }
    return win::TRUE;
}

} // namespace platform::gdi
