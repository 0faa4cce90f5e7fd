#include "platform/gdi/DeviceContext.h"

#include "platform/gdi/ObjectTable.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include <cstring>

namespace platform::gdi {

namespace {

DeviceContext* dcOf(HDC dc) {
    return find<DeviceContext>(dc);
}

HDC addDC(std::unique_ptr<DeviceContext> dc) {
    selected(dc->brush);
    selected(dc->pen);
    selected(dc->font);
    return addObject(std::move(dc));
}

// Swaps the DC's object of one kind and keeps the selection counts.
HGDIOBJ swapSelection(HGDIOBJ& slot, HGDIOBJ object) {
    const HGDIOBJ previous = slot;
    selected(object);
    slot = object;
    deselected(previous);
    return previous;
}

HDC newDisplayDC(HWND window) {
    auto dc = std::make_unique<DeviceContext>();
    dc->ownImage = std::make_unique<QImage>(newSurface(1, 1, true));
    dc->external = dc->ownImage.get();
    dc->window = window;
    return addDC(std::move(dc));
}

} // namespace

HDC createImageDC(QImage* image) {
    if (!image || image->isNull())
        return 0;
    // The drawing calls work on 32-bit pixels.
    if (image->format() != QImage::Format_RGB32)
        *image = image->convertToFormat(QImage::Format_RGB32);
    auto dc = std::make_unique<DeviceContext>();
    dc->external = image;
    dc->font = stockObject(DEFAULT_GUI_FONT);
    return addDC(std::move(dc));
}

void releaseImageDC(HDC dc) {
    DeleteDC(dc);
}

QPainter* painterOfDC(HDC dc) {
    DeviceContext* context = dcOf(dc);
    return context ? &plainPainterOf(*context) : nullptr;
}

QImage* imageOfDC(HDC dc) {
    DeviceContext* context = dcOf(dc);
    return context ? surfaceOf(*context) : nullptr;
}

void setClipBox(HDC dc, const QRect& deviceRect) {
    if (DeviceContext* context = dcOf(dc))
        context->clip = deviceRect;
}

HDC CreateCompatibleDC(HDC dc) {
    if (dc && !dcOf(dc))
        return 0;
    auto memory = std::make_unique<DeviceContext>();
    memory->memory = true;
    memory->oneByOne = std::make_unique<Bitmap>();
    memory->oneByOne->bitsPixel = 1;
    memory->oneByOne->image = newSurface(1, 1, false);
    return addDC(std::move(memory));
}

HDC CreateDCA(const char* driver, const char*, const char*, const void*) {
    if (!driver || qstricmp(driver, "DISPLAY") != 0)
        return 0;
    return newDisplayDC(0);
}

HDC GetDC(HWND window) {
    return newDisplayDC(window);
}

int ReleaseDC(HWND, HDC dc) {
    DeviceContext* context = dcOf(dc);
    if (!context || context->memory || !context->ownImage)
        return 0;
    return DeleteDC(dc);
}

BOOL DeleteDC(HDC dc) {
    DeviceContext* context = dcOf(dc);
    if (!context)
        return win::FALSE;
    endPainter(*context);
    deselected(context->brush);
    deselected(context->pen);
    deselected(context->font);
    if (context->bitmap)
        deselected(context->bitmap);
    context->brush = context->pen = context->font = context->bitmap = 0;
    removeObject(dc);
    return win::TRUE;
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
    DeviceContext* context = dcOf(dc);
    GdiObject* target = findObject(object);
    if (!context || !target)
        return 0;
    switch (target->kind) {
    case ObjectKind::Brush:
        return swapSelection(context->brush, object);
    case ObjectKind::Pen:
        return swapSelection(context->pen, object);
    case ObjectKind::Font:
        return swapSelection(context->font, object);
    case ObjectKind::Bitmap: {
        // A bitmap lives in one memory DC at a time.
        if (!context->memory || (target->selections > 0 && context->bitmap != object))
            return 0;
        endPainter(*context);
        // The 1 × 1 bitmap a memory DC starts with stands for itself as a
        // handle of its own when it is selected back.
        const HGDIOBJ previous = context->bitmap ? context->bitmap : stockObject(kDefaultBitmap);
        if (object == stockObject(kDefaultBitmap)) {
            if (context->bitmap)
                deselected(context->bitmap);
            context->bitmap = 0;
            return previous;
        }
        if (context->bitmap != object) {
            selected(object);
            if (context->bitmap)
                deselected(context->bitmap);
            context->bitmap = object;
        }
        return previous;
    }
    default:
        return 0;
    }
}

HGDIOBJ GetCurrentObject(HDC dc, UINT kind) {
    DeviceContext* context = dcOf(dc);
    if (!context)
        return 0;
    switch (kind) {
    case OBJ_PEN:
        return context->pen;
    case OBJ_BRUSH:
        return context->brush;
    case OBJ_FONT:
        return context->font;
    case OBJ_BITMAP:
        return context->bitmap ? context->bitmap : stockObject(kDefaultBitmap);
    default:
        return 0;
    }
}

HGDIOBJ GetStockObject(int index) {
    return index == kDefaultBitmap ? 0 : stockObject(index);
}

BOOL DeleteObject(HGDIOBJ object) {
    GdiObject* target = findObject(object);
    if (!target || target->kind == ObjectKind::DC || target->kind == ObjectKind::Icon ||
        target->kind == ObjectKind::ImageList)
        return win::FALSE;
    return removeObject(object) ? win::TRUE : win::FALSE;
}

int GetObjectA(HGDIOBJ object, int size, void* buffer) {
    if (Bitmap* bitmap = find<Bitmap>(object)) {
        if (!buffer)
            return sizeof(BITMAP);
        if (size < static_cast<int>(sizeof(BITMAP)))
            return 0;
        BITMAP info;
        info.bmWidth = bitmap->image.width();
        info.bmHeight = bitmap->image.height();
        const int bits = bitmap->bitsPixel;
        info.bmWidthBytes = ((info.bmWidth * bits + 15) / 16) * 2;
        info.bmPlanes = 1;
        info.bmBitsPixel = static_cast<WORD>(bits);
        std::memcpy(buffer, &info, sizeof info);
        return sizeof(BITMAP);
    }
    if (Font* font = find<Font>(object)) {
        if (!buffer)
            return sizeof(LOGFONTA);
        const int n = std::min<int>(size, sizeof(LOGFONTA));
        if (n <= 0)
            return 0;
        std::memcpy(buffer, &font->logFont, static_cast<std::size_t>(n));
        return n;
    }
    return 0;
}

int GetDeviceCaps(HDC dc, int index) {
    DeviceContext* context = dcOf(dc);
    if (!context)
        return 0;
    switch (index) {
    case BITSPIXEL:
        return bitsPixelOf(*context);
    case PLANES:
        return 1;
    case LOGPIXELSX:
    case LOGPIXELSY:
        return 96; // the described desktop's "small fonts" resolution
    case HORZRES:
    case VERTRES: {
        const QScreen* screen = QGuiApplication::primaryScreen();
        const QSize size = screen ? screen->size() : QSize(1024, 768);
        return index == HORZRES ? size.width() : size.height();
    }
    default:
        return 0;
    }
}

COLORREF SetTextColor(HDC dc, COLORREF color) {
    DeviceContext* context = dcOf(dc);
    if (!context)
        return CLR_INVALID;
    const COLORREF previous = context->textColor;
    context->textColor = color & 0xFFFFFF;
    return previous;
}

COLORREF GetTextColor(HDC dc) {
    DeviceContext* context = dcOf(dc);
    return context ? context->textColor : CLR_INVALID;
}

COLORREF SetBkColor(HDC dc, COLORREF color) {
    DeviceContext* context = dcOf(dc);
    if (!context)
        return CLR_INVALID;
    const COLORREF previous = context->bkColor;
    context->bkColor = color & 0xFFFFFF;
    return previous;
}

COLORREF GetBkColor(HDC dc) {
    DeviceContext* context = dcOf(dc);
    return context ? context->bkColor : CLR_INVALID;
}

int SetBkMode(HDC dc, int mode) {
    DeviceContext* context = dcOf(dc);
    if (!context || (mode != TRANSPARENT && mode != OPAQUE))
        return 0;
    const int previous = context->bkMode;
    context->bkMode = mode;
    return previous;
}

int GetBkMode(HDC dc) {
    DeviceContext* context = dcOf(dc);
    return context ? context->bkMode : 0;
}

UINT SetTextAlign(HDC dc, UINT align) {
    DeviceContext* context = dcOf(dc);
    if (!context)
        return GDI_ERROR;
    const UINT previous = context->textAlign;
    context->textAlign = align;
    return previous;
}

UINT GetTextAlign(HDC dc) {
    DeviceContext* context = dcOf(dc);
    return context ? context->textAlign : GDI_ERROR;
}

int SetROP2(HDC dc, int rop2) {
    DeviceContext* context = dcOf(dc);
    if (!context || rop2 < R2_BLACK || rop2 > R2_WHITE)
        return 0;
    const int previous = context->rop2;
    context->rop2 = rop2;
    return previous;
}

int GetROP2(HDC dc) {
    DeviceContext* context = dcOf(dc);
    return context ? context->rop2 : 0;
}

BOOL SetViewportOrgEx(HDC dc, int x, int y, POINT* previous) {
    DeviceContext* context = dcOf(dc);
    if (!context)
        return win::FALSE;
    if (previous)
        *previous = POINT{context->origin.x(), context->origin.y()};
    context->origin = QPoint(x, y);
    return win::TRUE;
}

BOOL GetViewportOrgEx(HDC dc, POINT* origin) {
    DeviceContext* context = dcOf(dc);
    if (!context || !origin)
        return win::FALSE;
    *origin = POINT{context->origin.x(), context->origin.y()};
    return win::TRUE;
}

BOOL SetBrushOrgEx(HDC dc, int x, int y, POINT* previous) {
    DeviceContext* context = dcOf(dc);
    if (!context)
        return win::FALSE;
    if (previous)
        *previous = POINT{context->brushOrigin.x(), context->brushOrigin.y()};
    context->brushOrigin = QPoint(x, y);
    return win::TRUE;
}

int liveGdiObjectCount() {
    return liveObjectCount();
}

} // namespace platform::gdi
