#include "platform/gdi/Icons.h"

#include "platform/gdi/IconObjects.h"
#include "platform/gdi/RasterOps.h"
#include "platform/gdi/SystemMetrics.h"

namespace platform::gdi {

namespace {

HBITMAP bitmapOf(const QImage& image, int bitsPixel) {
    auto bitmap = std::make_unique<Bitmap>();
    bitmap->image = image.copy();
    bitmap->bitsPixel = bitsPixel;
    return addObject(std::move(bitmap));
}

QImage stretched(const QImage& image, int width, int height) {
    if (image.width() == width && image.height() == height)
        return image.copy();
    return image.scaled(width, height, Qt::IgnoreAspectRatio, Qt::FastTransformation)
        .convertToFormat(QImage::Format_RGB32);
}

} // namespace

HICON addIcon(QImage color, int colorBitsPixel, QImage mask) {
    auto icon = std::make_unique<Icon>();
    icon->color = std::move(color);
    icon->colorBitsPixel = colorBitsPixel;
    icon->mask = std::move(mask);
    return addObject(std::move(icon));
}

Icon* findIcon(HICON icon) {
    return find<Icon>(icon);
}

void drawIconInto(DeviceContext& dc, const Icon& icon, const QRect& dstRect, UINT flags) {
    const COLORREF text = dc.textColor;
    const COLORREF back = dc.bkColor;
    dc.textColor = 0x000000;
    dc.bkColor = 0xFFFFFF;
    BlitSource mask{&icon.mask, 1, 0xFFFFFF, icon.mask.rect()};
    BlitSource color{&icon.color, icon.colorBitsPixel, 0xFFFFFF, icon.color.rect()};
    if ((flags & DI_NORMAL) == DI_NORMAL) {
        rasterBlit(dc, dstRect, &mask, nullptr, SRCAND);
        rasterBlit(dc, dstRect, &color, nullptr, SRCINVERT);
    } else if (flags & DI_MASK) {
        rasterBlit(dc, dstRect, &mask, nullptr, SRCCOPY);
    } else if (flags & DI_IMAGE) {
        rasterBlit(dc, dstRect, &color, nullptr, SRCCOPY);
    }
    dc.textColor = text;
    dc.bkColor = back;
}

HICON CreateIconIndirect(const ICONINFO* info) {
    if (!info)
        return 0;
    const Bitmap* mask = find<Bitmap>(info->hbmMask);
    if (!mask)
        return 0;
    auto monoImage = [](const QImage& image) {
        QImage mono = image.copy();
        for (int y = 0; y < mono.height(); ++y) {
            QRgb* line = reinterpret_cast<QRgb*>(mono.scanLine(y));
            for (int x = 0; x < mono.width(); ++x)
                line[x] = monoOf(line[x]);
        }
        return mono;
    };
    if (!info->hbmColor) {
        // Double height: AND half over XOR half.
        const int half = mask->image.height() / 2;
        if (half <= 0)
            return 0;
        const QImage both = monoImage(mask->image);
        return addIcon(both.copy(0, half, both.width(), half), 1,
                       both.copy(0, 0, both.width(), half));
    }
    const Bitmap* color = find<Bitmap>(info->hbmColor);
    if (!color)
        return 0;
    // The colour bitmap decides the size; the mask is stretched to it. The
    // colour is kept as it is, also under transparent mask bits.
    const QImage maskImage =
        monoImage(stretched(mask->image, color->image.width(), color->image.height()));
    return addIcon(color->image.copy(), color->monochrome() ? 1 : color->bitsPixel, maskImage);
}

BOOL GetIconInfo(HICON handle, ICONINFO* info) {
    const Icon* icon = findIcon(handle);
    if (!icon || !info)
        return win::FALSE;
    info->fIcon = win::TRUE;
    info->xHotspot = static_cast<DWORD>(icon->width() / 2);
    info->yHotspot = static_cast<DWORD>(icon->height() / 2);
    if (icon->monochrome()) {
        QImage both(icon->width(), icon->height() * 2, QImage::Format_RGB32);
        for (int y = 0; y < icon->height(); ++y) {
            std::memcpy(both.scanLine(y), icon->mask.constScanLine(y),
                        static_cast<std::size_t>(icon->width()) * 4);
            std::memcpy(both.scanLine(y + icon->height()), icon->color.constScanLine(y),
                        static_cast<std::size_t>(icon->width()) * 4);
        }
        info->hbmMask = bitmapOf(both, 1);
        info->hbmColor = 0;
    } else {
        info->hbmMask = bitmapOf(icon->mask, 1);
        info->hbmColor = bitmapOf(icon->color, icon->colorBitsPixel);
    }
    return win::TRUE;
}

BOOL DestroyIcon(HICON icon) {
    if (!findIcon(icon))
        return win::FALSE;
    return removeObject(icon) ? win::TRUE : win::FALSE;
}

HANDLE CopyImage(HANDLE image, UINT type, int width, int height, UINT flags) {
    if (width < 0 || height < 0)
        return 0;
    if (type == IMAGE_ICON) {
        const Icon* icon = findIcon(image);
        if (!icon || (flags & LR_COPYFROMRESOURCE))
            return 0;
        const int w = width ? width : icon->width();
        const int h = height ? height : icon->height();
        const HICON copy = addIcon(stretched(icon->color, w, h), icon->colorBitsPixel,
                                   stretched(icon->mask, w, h));
        if (flags & LR_COPYDELETEORG)
            DestroyIcon(image);
        return copy;
    }
    if (type == IMAGE_BITMAP) {
        const Bitmap* bitmap = find<Bitmap>(image);
        if (!bitmap)
            return 0;
        const int w = width ? width : bitmap->image.width();
        const int h = height ? height : bitmap->image.height();
        const HBITMAP copy = bitmapOf(stretched(bitmap->image, w, h), bitmap->bitsPixel);
        if (flags & LR_COPYDELETEORG)
            removeObject(image);
        return copy;
    }
    return 0;
}

BOOL DrawIconEx(HDC dc, int x, int y, HICON handle, int width, int height, UINT, HBRUSH,
                UINT flags) {
    DeviceContext* context = find<DeviceContext>(dc);
    const Icon* icon = findIcon(handle);
    if (!context || !icon || !(flags & DI_NORMAL))
        return win::FALSE;
    const bool systemSize = flags & DI_DEFAULTSIZE;
    const int w = width ? width : systemSize ? GetSystemMetrics(SM_CXICON) : icon->width();
    const int h = height ? height : systemSize ? GetSystemMetrics(SM_CYICON) : icon->height();
    drawIconInto(*context, *icon, QRect(x + context->origin.x(), y + context->origin.y(), w, h),
                 flags);
    return win::TRUE;
}

BOOL DrawIcon(HDC dc, int x, int y, HICON icon) {
    return DrawIconEx(dc, x, y, icon, 0, 0, 0, 0, DI_NORMAL | DI_COMPAT | DI_DEFAULTSIZE);
}

} // namespace platform::gdi
