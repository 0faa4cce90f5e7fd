#pragma once
// Device contexts: over an image (the menu manager's pop-ups), over the
// display, or in memory with a selected bitmap; their colours, modes,
// selected objects, origin and clip.
#include "platform/gdi/GdiTypes.h"

#include <QString>

class QImage;
class QPainter;
class QRect;

namespace platform::gdi {

// A DC over the image, with the defaults of a new DC. The image must outlive
// the DC. Returns 0 for a null or empty image.
HDC createImageDC(QImage* image);
void releaseImageDC(HDC dc);
// The DC's painter over its surface, for the menu manager's own parts, handed
// out with no transform and no clip; null for an unknown handle.
QPainter* painterOfDC(HDC dc);
QImage* imageOfDC(HDC dc);
// The device rectangle that drawing through the DC may touch (the menu
// manager limits an owner to the pop-up's inside); a null rectangle lifts it.
void setClipBox(HDC dc, const QRect& deviceRect);

HDC CreateCompatibleDC(HDC dc); // 0 = the display
HDC CreateDCA(const char* driver, const char* device, const char* output, const void* init);
HDC GetDC(HWND window); // a display DC; 0 = the screen
int ReleaseDC(HWND window, HDC dc);
BOOL DeleteDC(HDC dc);

// Returns the object of that kind selected before, 0 on failure (a bitmap
// already selected into another DC, a bitmap into a non-memory DC).
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
HGDIOBJ GetStockObject(int index);
constexpr UINT OBJ_PEN = 1;
constexpr UINT OBJ_BRUSH = 2;
constexpr UINT OBJ_FONT = 6;
constexpr UINT OBJ_BITMAP = 7;
HGDIOBJ GetCurrentObject(HDC dc, UINT kind);
BOOL DeleteObject(HGDIOBJ object);
// BITMAP for bitmaps, LOGFONTA for fonts; returns the bytes written, 0 on failure.
int GetObjectA(HGDIOBJ object, int size, void* buffer);
int GetDeviceCaps(HDC dc, int index);

COLORREF SetTextColor(HDC dc, COLORREF color); // returns the previous colour
COLORREF GetTextColor(HDC dc);
COLORREF SetBkColor(HDC dc, COLORREF color);
COLORREF GetBkColor(HDC dc);
int SetBkMode(HDC dc, int mode); // returns the previous mode, 0 on failure
int GetBkMode(HDC dc);
UINT SetTextAlign(HDC dc, UINT align); // GDI_ERROR on failure
UINT GetTextAlign(HDC dc);
int SetROP2(HDC dc, int rop2); // 0 on failure
int GetROP2(HDC dc);
BOOL SetViewportOrgEx(HDC dc, int x, int y, POINT* previous);
BOOL GetViewportOrgEx(HDC dc, POINT* origin);
BOOL SetBrushOrgEx(HDC dc, int x, int y, POINT* previous);

// Test hook: GDI objects, DCs, icons and image lists alive in the process.
int liveGdiObjectCount();

} // namespace platform::gdi
