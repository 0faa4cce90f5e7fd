#pragma once
// The one table of drawing objects behind the handles of every library in the
// process. Only the files of platform/gdi see the objects themselves.
//
// Every surface is kept as a 32-bit QImage (0xFFRRGGBB); a monochrome bitmap
// holds only black and white pixels and says so in bitsPixel, which is what
// the colour conversions of BitBlt look at.
#include "platform/gdi/GdiTypes.h"

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QImage>
#include <QPoint>
#include <QRect>

#include <memory>

class QPainter;

namespace platform::gdi {

enum class ObjectKind { DC, Bitmap, Brush, Pen, Font, Icon, ImageList };

struct GdiObject {
    explicit GdiObject(ObjectKind k) : kind(k) {}
    virtual ~GdiObject() = default;
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    ObjectKind kind;
    bool stock = false;         // never deleted, not counted as live
    int selections = 0;         // DCs that have it selected
    bool deletePending = false; // deleted while selected: goes when deselected
};

struct Bitmap : GdiObject {
    static constexpr ObjectKind Kind = ObjectKind::Bitmap;
    Bitmap() : GdiObject(Kind) {}
    QImage image; // Format_RGB32
    int bitsPixel = 32;
    bool monochrome() const { return bitsPixel == 1; }
};

struct Brush : GdiObject {
    static constexpr ObjectKind Kind = ObjectKind::Brush;
    Brush() : GdiObject(Kind) {}
    bool hollow = false;
    COLORREF color = 0;
    QImage pattern;           // empty for a solid brush
    bool monoPattern = false; // 0 bits take the text colour, 1 bits the background
};

struct Pen : GdiObject {
    static constexpr ObjectKind Kind = ObjectKind::Pen;
    Pen() : GdiObject(Kind) {}
    int style = 0;
    int width = 1;
    COLORREF color = 0;
};

// What a LOGFONT comes to, shared by every font made from the same record:
// the control makes the same fonts again and again while it draws.
struct FontFace {
    explicit FontFace(const QFont& font) : metrics(font) {}
    QFont qfont;
    QFont monoFont;        // without smoothing, for monochrome surfaces
    bool vertical = false; // an "@" face
    int ascent = 0;        // the cell the platform would report
    int descent = 0;
    int pixelSize = 0; // the em
    QFontMetrics metrics;
    QHash<QString, int> widths; // measured runs
    int width(const QString& text);
};

struct Font : GdiObject {
    static constexpr ObjectKind Kind = ObjectKind::Font;
    Font() : GdiObject(Kind) {}
    LOGFONTA logFont;
    std::shared_ptr<FontFace> face;
    double angle = 0; // escapement in degrees, counter-clockwise
};

// Fills the metrics of a font from its LOGFONT.
void prepareFont(Font& font);

struct Icon : GdiObject {
    static constexpr ObjectKind Kind = ObjectKind::Icon;
    Icon() : GdiObject(Kind) {}
    QImage color;            // RGB32; the XOR half of a monochrome icon
    int colorBitsPixel = 32; // 1 for a monochrome icon
    QImage mask;             // black (0, opaque) and white (1, transparent)
    int width() const { return color.width(); }
    int height() const { return color.height(); }
    bool monochrome() const { return colorBitsPixel == 1; }
};

struct ImageList;

struct DeviceContext : GdiObject {
    static constexpr ObjectKind Kind = ObjectKind::DC;
    DeviceContext();
    ~DeviceContext() override;
    QImage* external = nullptr;       // image or display DC
    std::unique_ptr<QImage> ownImage; // the display DC's scratch surface
    bool memory = false;
    HBITMAP bitmap = 0;               // selected into a memory DC
    std::unique_ptr<Bitmap> oneByOne; // the memory DC's initial 1 × 1 monochrome bitmap
    HWND window = 0;
    COLORREF textColor = 0x000000;
    COLORREF bkColor = 0xFFFFFF;
    int bkMode = OPAQUE;
    int rop2 = R2_COPYPEN;
    UINT textAlign = 0;
    HBRUSH brush = 0;
    HPEN pen = 0;
    HFONT font = 0;
    QPoint origin;  // device position of logical (0, 0)
    QRect clip;     // device pixels; null = the whole surface
    QPoint current; // logical, MoveToEx
    QPoint brushOrigin;
    std::unique_ptr<QPainter> painter;
    // The face last set on the painter by a text call, kept alive so that
    // its address cannot come back as another face.
    std::shared_ptr<FontFace> painterFace;
    bool painterMono = false;
    QRgb painterInk = 0; // the pen colour last set, valid with painterFace
};

// The table. Handles of every kind come from one counter so that a handle of
// one kind never names another.
HGDIOBJ addObject(std::unique_ptr<GdiObject> object);
GdiObject* findObject(HGDIOBJ handle);
// Removes now, or when the last DC lets go of it.
bool removeObject(HGDIOBJ handle);
void selected(HGDIOBJ handle);
void deselected(HGDIOBJ handle);
HGDIOBJ stockObject(int index);
// The stock handle of the 1 × 1 bitmap a memory DC starts with.
constexpr int kDefaultBitmap = 21;

// Also finds an object deleted while a DC still has it selected.
GdiObject* findSelectedObject(HGDIOBJ handle);

template <class T> T* find(HGDIOBJ handle) {
    GdiObject* object = findObject(handle);
    return object && object->kind == T::Kind ? static_cast<T*>(object) : nullptr;
}
template <class T> T* findSelected(HGDIOBJ handle) {
    GdiObject* object = findSelectedObject(handle);
    return object && object->kind == T::Kind ? static_cast<T*>(object) : nullptr;
}

// Test hook: objects alive now, stock objects not counted.
int liveObjectCount();

// Surfaces.
QImage* surfaceOf(DeviceContext& dc);
int bitsPixelOf(DeviceContext& dc);
// The part of the surface that may be painted, in device pixels.
QRect clipOf(DeviceContext& dc);
// The painter for text over the DC's surface (begun when first asked for);
// ended whenever the surface changes.
// Drawing calls leave their transform and clip on it.
QPainter& painterOf(DeviceContext& dc);
// The same, with no transform and no clip, for the menu manager's own parts.
QPainter& plainPainterOf(DeviceContext& dc);
void endPainter(DeviceContext& dc);

// Pixel helpers.
inline QRgb rgbOf(COLORREF c) {
    return 0xFF000000u | ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
inline COLORREF colorrefOf(QRgb p) {
    return ((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16);
}
// The nearer of black and white, as a colour goes into a monochrome surface.
inline QRgb monoOf(QRgb p) {
    const int sum = static_cast<int>(((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF));
    return sum >= 384 ? 0xFFFFFFFFu : 0xFF000000u;
}
QImage newSurface(int width, int height, bool white);
QRect rectOf(const RECT& r);

} // namespace platform::gdi
