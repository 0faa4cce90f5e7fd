#include "platform/gdi/Bitmaps.h"

#include "platform/gdi/RasterOps.h"

namespace platform::gdi {

namespace {

// No bitmap larger than this is made: a corrupt size must not exhaust memory.
constexpr qint64 kMaxPixels = 64LL * 1024 * 1024;

bool sizeAllowed(int width, int height) {
    return width > 0 && height > 0 && static_cast<qint64>(width) * height <= kMaxPixels;
}

void loadBits(Bitmap& bitmap, const unsigned char* bits) {
    const int w = bitmap.image.width();
    const int bpp = bitmap.bitsPixel;
    const int stride = ((w * bpp + 15) / 16) * 2;
    for (int y = 0; y < bitmap.image.height(); ++y) {
        const unsigned char* row = bits + static_cast<std::ptrdiff_t>(y) * stride;
        QRgb* line = reinterpret_cast<QRgb*>(bitmap.image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            if (bpp == 1) {
                const bool white = (row[x / 8] >> (7 - x % 8)) & 1;
                line[x] = white ? 0xFFFFFFFFu : 0xFF000000u;
            } else {
                const unsigned char* p = row + x * (bpp / 8);
                line[x] = qRgb(p[2], p[1], p[0]);
            }
        }
    }
}

} // namespace

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPixel, const void* bits) {
    if (planes != 1 || (bitsPixel != 1 && bitsPixel != 24 && bitsPixel != 32) ||
        !sizeAllowed(width, height))
        return 0;
    auto bitmap = std::make_unique<Bitmap>();
    bitmap->bitsPixel = static_cast<int>(bitsPixel);
    bitmap->image = newSurface(width, height, false);
    if (bitmap->image.isNull())
        return 0;
    if (bits)
        loadBits(*bitmap, static_cast<const unsigned char*>(bits));
    return addObject(std::move(bitmap));
}

HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height) {
    DeviceContext* context = find<DeviceContext>(dc);
    if (!context || !sizeAllowed(width, height))
        return 0;
    return CreateBitmap(width, height, 1, bitsPixelOf(*context) == 1 ? 1 : 32, nullptr);
}

BOOL StretchBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY,
                int srcWidth, int srcHeight, DWORD rop) {
    DeviceContext* target = find<DeviceContext>(dst);
    if (!target || width < 0 || height < 0)
        return win::FALSE;
    if (width == 0 || height == 0)
        return win::TRUE;
    BlitSource source;
    if (ropUsesSource(rop)) {
        DeviceContext* from = find<DeviceContext>(src);
        if (!from || srcWidth <= 0 || srcHeight <= 0)
            return win::FALSE;
        source.image = surfaceOf(*from);
        source.bitsPixel = bitsPixelOf(*from);
        source.bkColor = from->bkColor;
        source.rect = QRect(srcX + from->origin.x(), srcY + from->origin.y(), srcWidth, srcHeight);
    }
    Brush scratch;
    const Brush* brush = brushOf(target->brush, scratch);
    rasterBlit(*target, QRect(x + target->origin.x(), y + target->origin.y(), width, height),
               source.image ? &source : nullptr, brush, rop);
    return win::TRUE;
}

BOOL BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, DWORD rop) {
    return StretchBlt(dst, x, y, width, height, src, srcX, srcY, width, height, rop);
}

BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop) {
    if (ropUsesSource(rop))
        return win::FALSE;
    return StretchBlt(dc, x, y, width, height, 0, 0, 0, 0, 0, rop);
}

} // namespace platform::gdi
