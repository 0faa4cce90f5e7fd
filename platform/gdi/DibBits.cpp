#include "platform/gdi/DibBits.h"

#include "platform/gdi/ObjectTable.h"

namespace platform::gdi {

namespace {

bool depthSupported(int bitCount) {
    return bitCount == 1 || bitCount == 24 || bitCount == 32;
}

// The image row that scan line `line` of the DIB names.
int imageRow(int line, int height, bool bottomUp) {
    return bottomUp ? height - 1 - line : line;
}

QRgb tableColor(const RGBQUAD& entry) {
    return qRgb(entry.rgbRed, entry.rgbGreen, entry.rgbBlue);
}

} // namespace

int dibStride(int width, int bitCount) {
    return ((width * bitCount + 31) / 32) * 4;
}

int GetDIBits(HDC dc, HBITMAP handle, UINT start, UINT lines, void* bits, BITMAPINFO* info,
              UINT usage) {
    Bitmap* bitmap = find<Bitmap>(handle);
    if (!find<DeviceContext>(dc) || !bitmap || !info || usage != DIB_RGB_COLORS)
        return 0;
    BITMAPINFOHEADER& header = info->bmiHeader;
    const int width = bitmap->image.width();
    const int height = bitmap->image.height();
    if (!bits && header.biBitCount == 0) {
        header.biWidth = width;
        header.biHeight = height;
        header.biPlanes = 1;
        header.biBitCount = static_cast<WORD>(bitmap->bitsPixel == 1 ? 1 : 32);
        header.biCompression = BI_RGB;
        header.biSizeImage = static_cast<DWORD>(dibStride(width, header.biBitCount) * height);
        return height;
    }
    const int bitCount = header.biBitCount;
    if (!depthSupported(bitCount) || header.biWidth != width || header.biHeight == 0)
        return 0;
    const bool bottomUp = header.biHeight > 0;
    const int stride = dibStride(width, bitCount);
    header.biSizeImage = static_cast<DWORD>(stride * height);
    if (bitCount == 1) {
        info->bmiColors[0] = RGBQUAD{0, 0, 0, 0};
        info->bmiColors[1] = RGBQUAD{255, 255, 255, 0};
    }
    if (!bits)
        return height;
    if (start >= static_cast<UINT>(height))
        return 0;
    const int count = static_cast<int>(std::min<UINT>(lines, static_cast<UINT>(height) - start));
    auto* out = static_cast<unsigned char*>(bits);
    for (int i = 0; i < count; ++i) {
        const int row = imageRow(static_cast<int>(start) + i, height, bottomUp);
        const QRgb* line = reinterpret_cast<const QRgb*>(bitmap->image.constScanLine(row));
        unsigned char* dst = out + static_cast<std::ptrdiff_t>(i) * stride;
        std::memset(dst, 0, static_cast<std::size_t>(stride));
        for (int x = 0; x < width; ++x) {
            const QRgb p = line[x];
            if (bitCount == 1) {
                if (monoOf(p) & 0xFFFFFF)
                    dst[x / 8] |= static_cast<unsigned char>(0x80 >> (x % 8));
            } else {
                unsigned char* px = dst + x * (bitCount / 8);
                px[0] = static_cast<unsigned char>(qBlue(p));
                px[1] = static_cast<unsigned char>(qGreen(p));
                px[2] = static_cast<unsigned char>(qRed(p));
            }
        }
    }
    return count;
}

int SetDIBits(HDC, HBITMAP handle, UINT start, UINT lines, const void* bits, const BITMAPINFO* info,
              UINT usage) {
    Bitmap* bitmap = find<Bitmap>(handle);
    if (!bitmap || !bits || !info || usage != DIB_RGB_COLORS)
        return 0;
    const BITMAPINFOHEADER& header = info->bmiHeader;
    const int bitCount = header.biBitCount;
    const int width = bitmap->image.width();
    const int height = bitmap->image.height();
    const int dibHeight = std::abs(header.biHeight);
    if (!depthSupported(bitCount) || header.biWidth <= 0 || dibHeight == 0)
        return 0;
    const bool bottomUp = header.biHeight > 0;
    const int stride = dibStride(header.biWidth, bitCount);
    if (start >= static_cast<UINT>(dibHeight))
        return 0;
    const int count = static_cast<int>(std::min<UINT>(lines, static_cast<UINT>(dibHeight) - start));
    const bool mono = bitmap->monochrome();
    QRgb table[2] = {tableColor(info->bmiColors[0]), tableColor(info->bmiColors[1])};
    if (mono) {
        table[0] = monoOf(table[0]);
        table[1] = monoOf(table[1]);
    }
    const auto* in = static_cast<const unsigned char*>(bits);
    for (int i = 0; i < count; ++i) {
        const int row = imageRow(static_cast<int>(start) + i, dibHeight, bottomUp);
        if (row < 0 || row >= height)
            continue;
        QRgb* line = reinterpret_cast<QRgb*>(bitmap->image.scanLine(row));
        const unsigned char* src = in + static_cast<std::ptrdiff_t>(i) * stride;
        for (int x = 0; x < std::min(width, static_cast<int>(header.biWidth)); ++x) {
            QRgb p;
            if (bitCount == 1) {
                p = table[(src[x / 8] >> (7 - x % 8)) & 1];
            } else {
                const unsigned char* px = src + x * (bitCount / 8);
                p = qRgb(px[2], px[1], px[0]);
                if (mono)
                    p = monoOf(p);
            }
            line[x] = p;
        }
    }
    return count;
}

} // namespace platform::gdi
