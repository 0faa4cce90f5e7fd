#include "platform/gdi/ObjectTable.h"

#include "platform/gdi/Fonts.h"
#include "platform/gdi/SystemColors.h"

#include <QPainter>

#include <cstring>
#include <unordered_map>

namespace platform::gdi {

namespace {

// One table per process, inside this library: a DC made by the menu manager
// is drawn on by whichever library owns the menu's window. Everything runs on
// the GUI thread, so it needs no lock.
struct Table {
    std::unordered_map<HGDIOBJ, std::unique_ptr<GdiObject>> objects;
    std::uintptr_t next = 0x10000; // below are the system colour brushes (index + 1)
    HGDIOBJ stock[24] = {};
    int live = 0;
};

Table& table() {
    static Table instance;
    return instance;
}

HGDIOBJ addStock(std::unique_ptr<GdiObject> object) {
    object->stock = true;
    Table& t = table();
    const HGDIOBJ handle = t.next++;
    t.objects.emplace(handle, std::move(object));
    return handle;
}

std::unique_ptr<GdiObject> solidBrush(COLORREF color, bool hollow = false) {
    auto brush = std::make_unique<Brush>();
    brush->color = color;
    brush->hollow = hollow;
    return brush;
}

std::unique_ptr<GdiObject> pen(COLORREF color, int style) {
    auto object = std::make_unique<Pen>();
    object->color = color;
    object->style = style;
    return object;
}

std::unique_ptr<GdiObject> font(const char* face, LONG height, LONG weight) {
    auto object = std::make_unique<Font>();
    object->logFont.lfHeight = height;
    object->logFont.lfWeight = weight;
    object->logFont.lfCharSet = SHIFTJIS_CHARSET;
    std::strncpy(object->logFont.lfFaceName, face, LF_FACESIZE - 1);
    prepareFont(*object);
    return object;
}

void makeStockObjects(Table& t) {
    t.stock[WHITE_BRUSH] = addStock(solidBrush(0xFFFFFF));
    t.stock[LTGRAY_BRUSH] = addStock(solidBrush(0xC0C0C0));
    t.stock[GRAY_BRUSH] = addStock(solidBrush(0x808080));
    t.stock[DKGRAY_BRUSH] = addStock(solidBrush(0x404040));
    t.stock[BLACK_BRUSH] = addStock(solidBrush(0x000000));
    t.stock[NULL_BRUSH] = addStock(solidBrush(0, true));
    t.stock[WHITE_PEN] = addStock(pen(0xFFFFFF, PS_SOLID));
    t.stock[BLACK_PEN] = addStock(pen(0x000000, PS_SOLID));
    t.stock[NULL_PEN] = addStock(pen(0, PS_NULL));
    // The system font of a Japanese desktop is a 16-pixel gothic; the GUI
    // font is the 9-point UI gothic.
    t.stock[SYSTEM_FONT] = addStock(font("System", -16, FW_BOLD));
    t.stock[DEFAULT_GUI_FONT] = addStock(font("MS UI Gothic", -12, FW_NORMAL));
    auto oneByOne = std::make_unique<Bitmap>();
    oneByOne->bitsPixel = 1;
    oneByOne->image = newSurface(1, 1, false);
    t.stock[kDefaultBitmap] = addStock(std::move(oneByOne));
}

} // namespace

DeviceContext::DeviceContext() : GdiObject(Kind) {
    brush = stockObject(WHITE_BRUSH);
    pen = stockObject(BLACK_PEN);
    font = stockObject(SYSTEM_FONT);
}

DeviceContext::~DeviceContext() {
    if (painter && painter->isActive())
        painter->end();
}

HGDIOBJ addObject(std::unique_ptr<GdiObject> object) {
    Table& t = table();
    const HGDIOBJ handle = t.next++;
    if (!object->stock)
        ++t.live;
    t.objects.emplace(handle, std::move(object));
    return handle;
}

GdiObject* findObject(HGDIOBJ handle) {
    Table& t = table();
    if (!t.stock[WHITE_BRUSH])
        makeStockObjects(t);
    const auto it = t.objects.find(handle);
    if (it == t.objects.end() || it->second->deletePending)
        return nullptr;
    return it->second.get();
}

GdiObject* findSelectedObject(HGDIOBJ handle) {
    Table& t = table();
    const auto it = t.objects.find(handle);
    return it == t.objects.end() ? nullptr : it->second.get();
}

bool removeObject(HGDIOBJ handle) {
    Table& t = table();
    const auto it = t.objects.find(handle);
    if (it == t.objects.end() || it->second->deletePending)
        return false;
    if (it->second->stock)
        return true;
    if (it->second->selections > 0) {
        it->second->deletePending = true;
        return true;
    }
    // Take it out first: a DC's destructor may deselect other objects.
    std::unique_ptr<GdiObject> gone = std::move(it->second);
    t.objects.erase(it);
    --t.live;
    return true;
}

void selected(HGDIOBJ handle) {
    Table& t = table();
    const auto it = t.objects.find(handle);
    if (it != t.objects.end())
        ++it->second->selections;
}

void deselected(HGDIOBJ handle) {
    Table& t = table();
    const auto it = t.objects.find(handle);
    if (it == t.objects.end())
        return;
    GdiObject& object = *it->second;
    if (--object.selections <= 0 && object.deletePending) {
        object.deletePending = false;
        object.selections = 0;
        removeObject(handle);
    }
}

HGDIOBJ stockObject(int index) {
    Table& t = table();
    if (!t.stock[WHITE_BRUSH])
        makeStockObjects(t);
    if (index < 0 || index >= static_cast<int>(std::size(t.stock)))
        return 0;
    return t.stock[index];
}

int liveObjectCount() {
    return table().live;
}

QImage* surfaceOf(DeviceContext& dc) {
    if (dc.external)
        return dc.external;
    if (Bitmap* bitmap = findSelected<Bitmap>(dc.bitmap))
        return &bitmap->image;
    return dc.oneByOne ? &dc.oneByOne->image : nullptr;
}

int bitsPixelOf(DeviceContext& dc) {
    if (dc.external)
        return 32;
    if (Bitmap* bitmap = findSelected<Bitmap>(dc.bitmap))
        return bitmap->bitsPixel;
    return 1;
}

QRect clipOf(DeviceContext& dc) {
    const QImage* surface = surfaceOf(dc);
    if (!surface)
        return {};
    const QRect all = surface->rect();
    return dc.clip.isNull() ? all : dc.clip & all;
}

QPainter& painterOf(DeviceContext& dc) {
    if (!dc.painter)
        dc.painter = std::make_unique<QPainter>();
    if (!dc.painter->isActive()) {
        dc.painterFace.reset();
        if (QImage* surface = surfaceOf(dc))
            dc.painter->begin(surface);
    }
    return *dc.painter;
}

QPainter& plainPainterOf(DeviceContext& dc) {
    QPainter& painter = painterOf(dc);
    dc.painterFace.reset(); // the menu manager sets fonts of its own
    painter.resetTransform();
    painter.setClipping(false);
    return painter;
}

void endPainter(DeviceContext& dc) {
    if (dc.painter && dc.painter->isActive())
        dc.painter->end();
}

QImage newSurface(int width, int height, bool white) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(white ? 0xFFFFFFFFu : 0xFF000000u);
    return image;
}

QRect rectOf(const RECT& r) {
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

} // namespace platform::gdi
