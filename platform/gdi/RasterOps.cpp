#include "platform/gdi/RasterOps.h"

#include "platform/gdi/SystemColors.h"

namespace platform::gdi {

namespace {

// Result bit = bit (4·P + 2·S + D) of the code's third byte, on every bit.
std::uint32_t rop3(std::uint32_t code, std::uint32_t p, std::uint32_t s, std::uint32_t d) {
    switch (code) {
    case 0xCC:
        return s;
    case 0x88:
        return s & d;
    case 0xEE:
        return s | d;
    case 0x66:
        return s ^ d;
    case 0x44:
        return s & ~d;
    case 0x33:
        return ~s;
    case 0xBB:
        return ~s | d;
    case 0xF0:
        return p;
    case 0x00:
        return 0;
    case 0xFF:
        return 0xFFFFFF;
    case 0x5A:
        return p ^ d;
    case 0x55:
        return ~d;
    case 0xB8:
        return (s & d) | (~s & p);
    case 0xE2:
        return (s & p) | (~s & d);
    default:
        break;
    }
    std::uint32_t result = 0;
    for (int k = 0; k < 8; ++k) {
        if (!((code >> k) & 1))
            continue;
        result |= ((k & 4) ? p : ~p) & ((k & 2) ? s : ~s) & ((k & 1) ? d : ~d);
    }
    return result;
}

} // namespace

bool ropUsesSource(DWORD rop) {
    const DWORD code = (rop >> 16) & 0xFF;
    return ((code >> 2) ^ code) & 0x33;
}

bool ropUsesPattern(DWORD rop) {
    const DWORD code = (rop >> 16) & 0xFF;
    return ((code >> 4) ^ code) & 0x0F;
}

QRgb patternPixel(const DeviceContext& dc, const Brush& brush, int x, int y, bool monoDst) {
    QRgb value;
    if (brush.pattern.isNull()) {
        value = rgbOf(brush.color);
    } else {
        const int w = brush.pattern.width();
        const int h = brush.pattern.height();
        const int px = ((x - dc.brushOrigin.x()) % w + w) % w;
        const int py = ((y - dc.brushOrigin.y()) % h + h) % h;
        const QRgb bit = reinterpret_cast<const QRgb*>(brush.pattern.constScanLine(py))[px];
        if (brush.monoPattern)
            value = rgbOf((bit & 0xFFFFFF) ? dc.bkColor : dc.textColor);
        else
            value = bit;
    }
    return monoDst ? monoOf(value) : value;
}

const Brush* brushOf(HBRUSH handle, Brush& scratch) {
    if (handle >= 1 && handle <= static_cast<HBRUSH>(syscolor::Last) + 1) {
        scratch.color = GetSysColor(static_cast<int>(handle) - 1);
        return &scratch;
    }
    return findSelected<Brush>(handle);
}

void rasterBlit(DeviceContext& dst, const QRect& dstRect, const BlitSource* source,
                const Brush* brush, DWORD rop) {
    QImage* surface = surfaceOf(dst);
    if (!surface || dstRect.isEmpty())
        return;
    const QRect area = dstRect & clipOf(dst);
    if (area.isEmpty())
        return;
    const std::uint32_t code = (rop >> 16) & 0xFF;
    const bool useSource = source && source->image && ropUsesSource(rop);
    const bool usePattern = ropUsesPattern(rop);
    if (usePattern && (!brush || brush->hollow))
        return;
    const bool monoDst = bitsPixelOf(dst) == 1;

    // A source on the destination surface is read from a copy, so that an
    // overlapping copy reads the pixels as they were.
    QImage copied;
    const QImage* from = nullptr;
    QRect srcRect;
    if (useSource) {
        from = source->image;
        srcRect = source->rect;
        if (from == surface) {
            copied = from->copy(srcRect);
            from = &copied;
            srcRect.moveTo(0, 0);
        }
    }
    const bool monoSrc = useSource && source->bitsPixel == 1;
    const QRgb srcBk = useSource ? rgbOf(source->bkColor) & 0xFFFFFF : 0;
    const QRgb dstText = rgbOf(dst.textColor) & 0xFFFFFF;
    const QRgb dstBk = rgbOf(dst.bkColor) & 0xFFFFFF;
    const bool stretch = useSource && srcRect.size() != dstRect.size();
    const bool plainCopy = useSource && !stretch && code == 0xCC && monoSrc == monoDst;
    // A solid brush is the same colour everywhere.
    const bool solid = usePattern && brush->pattern.isNull();
    const std::uint32_t solidColor =
        solid ? patternPixel(dst, *brush, 0, 0, monoDst) & 0xFFFFFF : 0;
    if (solid && code == 0xF0) {
        // Plain loops rather than the C library's block copies: its widest
        // vector forms slow the whole core down on some machines, and the
        // rows of a menu item are short.
        const QRgb value = 0xFF000000u | solidColor;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            QRgb* line = reinterpret_cast<QRgb*>(surface->scanLine(y));
            int x = area.left();
            // Four at a time, which the compiler turns into one vector store.
            for (; x + 3 <= area.right(); x += 4) {
                line[x] = value;
                line[x + 1] = value;
                line[x + 2] = value;
                line[x + 3] = value;
            }
            for (; x <= area.right(); ++x)
                line[x] = value;
        }
        return;
    }

    const int fromWidth = useSource ? from->width() : 0;
    const int fromHeight = useSource ? from->height() : 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(surface->scanLine(y));
        int sy = 0;
        const QRgb* srcLine = nullptr;
        if (useSource) {
            sy =
                srcRect.top() + (stretch ? (y - dstRect.top()) * srcRect.height() / dstRect.height()
                                         : y - dstRect.top());
            if (sy < 0 || sy >= fromHeight)
                continue;
            srcLine = reinterpret_cast<const QRgb*>(from->constScanLine(sy));
        }
        if (plainCopy) {
            int x0 = area.left();
            int x1 = area.right();
            const int shift = srcRect.left() - dstRect.left();
            x0 = std::max(x0, -shift);
            x1 = std::min(x1, fromWidth - 1 - shift);
            // The alpha byte is set, not copied: that keeps this a loop of
            // its own instead of a call to the C library's block copy.
            const QRgb* in = srcLine + shift;
            int x = x0;
            for (; x + 3 <= x1; x += 4) {
                line[x] = in[x] | 0xFF000000u;
                line[x + 1] = in[x + 1] | 0xFF000000u;
                line[x + 2] = in[x + 2] | 0xFF000000u;
                line[x + 3] = in[x + 3] | 0xFF000000u;
            }
            for (; x <= x1; ++x)
                line[x] = in[x] | 0xFF000000u;
            continue;
        }
        auto sourceAt = [&](int x, std::uint32_t* value) {
            const int sx =
                srcRect.left() + (stretch ? (x - dstRect.left()) * srcRect.width() / dstRect.width()
                                          : x - dstRect.left());
            if (sx < 0 || sx >= fromWidth)
                return false;
            std::uint32_t v = srcLine[sx] & 0xFFFFFF;
            if (monoSrc && !monoDst)
                v = v ? dstBk : dstText;
            else if (!monoSrc && monoDst)
                v = v == srcBk ? 0xFFFFFF : 0;
            *value = v;
            return true;
        };
        // The operations icons and masks use most, without the truth table.
        if (useSource && !usePattern && (code == 0x88 || code == 0x66 || code == 0xEE)) {
            if (!stretch) {
                const int shift = srcRect.left() - dstRect.left();
                const int x0 = std::max(area.left(), -shift);
                const int x1 = std::min(area.right(), fromWidth - 1 - shift);
                const QRgb* in = srcLine + shift;
                const bool toColor = monoSrc && !monoDst;
                const bool toMono = !monoSrc && monoDst;
                for (int x = x0; x <= x1; ++x) {
                    std::uint32_t v = in[x] & 0xFFFFFF;
                    if (toColor)
                        v = v ? dstBk : dstText;
                    else if (toMono)
                        v = v == srcBk ? 0xFFFFFF : 0;
                    const std::uint32_t d = line[x];
                    line[x] = 0xFF000000u | (code == 0x88   ? (v & d)
                                             : code == 0x66 ? (v ^ d)
                                                            : (v | d));
                }
                continue;
            }
            for (int x = area.left(); x <= area.right(); ++x) {
                std::uint32_t v;
                if (!sourceAt(x, &v))
                    continue;
                const std::uint32_t d = line[x];
                line[x] = 0xFF000000u | (code == 0x88 ? (v & d) : code == 0x66 ? (v ^ d) : (v | d));
            }
            continue;
        }
        for (int x = area.left(); x <= area.right(); ++x) {
            std::uint32_t s = 0;
            if (useSource && !sourceAt(x, &s))
                continue;
            const std::uint32_t p = solid ? solidColor
                                    : usePattern
                                        ? patternPixel(dst, *brush, x, y, monoDst) & 0xFFFFFF
                                        : 0;
            const std::uint32_t d = line[x] & 0xFFFFFF;
            line[x] = 0xFF000000u | (rop3(code, p, s, d) & 0xFFFFFF);
        }
    }
}

} // namespace platform::gdi
