#include "platform/gdi/ImageLists.h"

#include "platform/gdi/IconObjects.h"
#include "platform/gdi/Icons.h"
#include "platform/gdi/RasterOps.h"
#include "platform/gdi/SystemColors.h"

#include <vector>

namespace platform::gdi {

struct ImageList : GdiObject {
    static constexpr ObjectKind Kind = ObjectKind::ImageList;
    ImageList() : GdiObject(Kind) {}
    int width = 0;
    int height = 0;
    UINT flags = 0;
    struct Cell {
        QImage color;
        QImage mask;
    };
    std::vector<Cell> cells;
    bool masked() const { return flags & ILC_MASK; }
};

namespace {

ImageList* listOf(HIMAGELIST handle) {
    return find<ImageList>(handle);
}

// The colours a cell of that depth can hold: 16 colours at 4 bits, a
// 6 × 6 × 6 cube at 8, five bits a channel at 16; the rest as they are.
QRgb reduce(QRgb pixel, UINT depth) {
    const int r = qRed(pixel);
    const int g = qGreen(pixel);
    const int b = qBlue(pixel);
    switch (depth) {
    case ILC_COLOR:
    case ILC_COLOR4: {
        static constexpr QRgb kVga[16] = {
            0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
            0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
        QRgb best = 0;
        int bestDistance = 1 << 30;
        for (const QRgb candidate : kVga) {
            const int dr = r - qRed(candidate);
            const int dg = g - qGreen(candidate);
            const int db = b - qBlue(candidate);
            const int distance = dr * dr + dg * dg + db * db;
            if (distance < bestDistance) {
                bestDistance = distance;
                best = candidate;
            }
        }
        return 0xFF000000u | best;
    }
    case ILC_COLOR8: {
        auto level = [](int c) { return (c + 25) / 51 * 51; };
        return qRgb(level(r), level(g), level(b));
    }
    case ILC_COLOR16:
        return qRgb(r & 0xF8, g & 0xF8, b & 0xF8);
    default:
        return pixel;
    }
}

ImageList::Cell cellOf(const ImageList& list, const Icon& icon) {
    // The icon at the list's size: a copy stretched to the cell.
    ImageList::Cell cell;
    const QImage color =
        icon.color.scaled(list.width, list.height, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    QImage mask =
        icon.mask.scaled(list.width, list.height, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    cell.color = newSurface(list.width, list.height, false);
    if (list.masked()) {
        // Image as it is (DI_IMAGE) and mask as it is (DI_MASK).
        for (int y = 0; y < list.height; ++y) {
            const QRgb* from = reinterpret_cast<const QRgb*>(color.constScanLine(y));
            QRgb* to = reinterpret_cast<QRgb*>(cell.color.scanLine(y));
            for (int x = 0; x < list.width; ++x)
                to[x] = reduce(icon.monochrome() ? monoOf(from[x]) : from[x], list.flags & 0xFE);
        }
        cell.mask = mask.convertToFormat(QImage::Format_RGB32);
    } else {
        // No mask: the icon drawn normally on the window colour.
        cell.color.fill(rgbOf(GetSysColor(COLOR_WINDOW)));
        for (int y = 0; y < list.height; ++y) {
            const QRgb* from = reinterpret_cast<const QRgb*>(color.constScanLine(y));
            const QRgb* bits = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
            QRgb* to = reinterpret_cast<QRgb*>(cell.color.scanLine(y));
            for (int x = 0; x < list.width; ++x) {
                const QRgb under = (bits[x] & 0xFFFFFF) ? to[x] : 0;
                to[x] = reduce(0xFF000000u | ((under ^ from[x]) & 0xFFFFFF), list.flags & 0xFE);
            }
        }
        cell.mask = newSurface(list.width, list.height, false);
    }
    return cell;
}

} // namespace

HIMAGELIST ImageList_Create(int width, int height, UINT flags, int, int) {
    if (width < 0 || height < 0)
        return 0;
    if ((width == 0 || height == 0) && (flags & 0xFE) != ILC_COLORDDB)
        return 0;
    auto list = std::make_unique<ImageList>();
    list->width = width;
    list->height = height;
    list->flags = flags;
    return addObject(std::move(list));
}

BOOL ImageList_Destroy(HIMAGELIST list) {
    if (!listOf(list))
        return win::FALSE;
    return removeObject(list) ? win::TRUE : win::FALSE;
}

int ImageList_ReplaceIcon(HIMAGELIST handle, int index, HICON iconHandle) {
    ImageList* list = listOf(handle);
    const Icon* icon = findIcon(iconHandle);
    if (!list || !icon || list->width <= 0 || list->height <= 0)
        return -1;
    const int count = static_cast<int>(list->cells.size());
    if (index < -1 || index >= count)
        return -1;
    ImageList::Cell cell = cellOf(*list, *icon);
    if (index == -1) {
        list->cells.push_back(std::move(cell));
        return count;
    }
    list->cells[static_cast<std::size_t>(index)] = std::move(cell);
    return index;
}

int ImageList_AddIcon(HIMAGELIST list, HICON icon) {
    return ImageList_ReplaceIcon(list, -1, icon);
}

BOOL ImageList_Remove(HIMAGELIST handle, int index) {
    ImageList* list = listOf(handle);
    if (!list)
        return win::FALSE;
    if (index == -1) {
        list->cells.clear();
        return win::TRUE;
    }
    if (index < 0 || index >= static_cast<int>(list->cells.size()))
        return win::FALSE;
    list->cells.erase(list->cells.begin() + index);
    return win::TRUE;
}

HICON ImageList_GetIcon(HIMAGELIST handle, int index, UINT) {
    ImageList* list = listOf(handle);
    if (!list || index < 0 || index >= static_cast<int>(list->cells.size()))
        return 0;
    const ImageList::Cell& cell = list->cells[static_cast<std::size_t>(index)];
    return addIcon(cell.color.copy(), 32, cell.mask.copy());
}

HIMAGELIST ImageList_Duplicate(HIMAGELIST handle) {
    ImageList* list = listOf(handle);
    if (!list)
        return 0;
    auto copy = std::make_unique<ImageList>();
    copy->width = list->width;
    copy->height = list->height;
    copy->flags = list->flags;
    for (const ImageList::Cell& cell : list->cells)
        copy->cells.push_back({cell.color.copy(), cell.mask.copy()});
    return addObject(std::move(copy));
}

int ImageList_GetImageCount(HIMAGELIST handle) {
    ImageList* list = listOf(handle);
    return list ? static_cast<int>(list->cells.size()) : 0;
}

BOOL ImageList_GetIconSize(HIMAGELIST handle, int* width, int* height) {
    ImageList* list = listOf(handle);
    if (!list || !width || !height)
        return win::FALSE;
    *width = list->width;
    *height = list->height;
    return win::TRUE;
}

BOOL ImageList_Draw(HIMAGELIST handle, int index, HDC dc, int x, int y, UINT style) {
    ImageList* list = listOf(handle);
    DeviceContext* context = find<DeviceContext>(dc);
    if (!list || !context || index < 0 || index >= static_cast<int>(list->cells.size()))
        return win::FALSE;
    const ImageList::Cell& cell = list->cells[static_cast<std::size_t>(index)];
    const QRect target(x + context->origin.x(), y + context->origin.y(), list->width, list->height);
    const COLORREF text = context->textColor;
    const COLORREF back = context->bkColor;
    context->textColor = 0x000000;
    context->bkColor = 0xFFFFFF;
    BlitSource mask{&cell.mask, 1, 0xFFFFFF, cell.mask.rect()};
    BlitSource color{&cell.color, 32, 0xFFFFFF, cell.color.rect()};
    if (style & ILD_MASK) {
        rasterBlit(*context, target, &mask, nullptr, SRCCOPY);
    } else if (list->masked() && !(style & ILD_IMAGE)) {
        // Mask by AND, then the image by OR: image pixels under transparent
        // mask bits must be black to stay invisible.
        rasterBlit(*context, target, &mask, nullptr, SRCAND);
        rasterBlit(*context, target, &color, nullptr, SRCPAINT);
    } else {
        rasterBlit(*context, target, &color, nullptr, SRCCOPY);
    }
    context->textColor = text;
    context->bkColor = back;
    return win::TRUE;
}

} // namespace platform::gdi
