#pragma once
// Brushes, pens, filled rectangles, lines, single pixels and flood fill.
#include "platform/gdi/GdiTypes.h"

namespace platform::gdi {

HBRUSH CreateSolidBrush(COLORREF color);
// Copies the bitmap (the caller deletes its own). A monochrome pattern paints
// 0 bits in the DC's text colour and 1 bits in its background colour.
HBRUSH CreatePatternBrush(HBITMAP bitmap);
HBRUSH GetSysColorBrush(int index); // a stock brush
HPEN CreatePen(int style, int width, COLORREF color);

// FillRect also takes a system colour index + 1 in place of a brush, as the
// platform's window classes do. Returns 1, 0 on failure.
int FillRect(HDC dc, const RECT* rect, HBRUSH brush);
int FrameRect(HDC dc, const RECT* rect, HBRUSH brush);
BOOL InvertRect(HDC dc, const RECT* rect);
// Outline with the pen inside the rectangle, interior with the brush.
BOOL Rectangle(HDC dc, int left, int top, int right, int bottom);

BOOL MoveToEx(HDC dc, int x, int y, POINT* previous);
// Draws with the pen and the DC's ROP2 up to, not including, (x, y).
BOOL LineTo(HDC dc, int x, int y);

COLORREF SetPixel(HDC dc, int x, int y, COLORREF color); // the colour set, -1 on failure
COLORREF GetPixel(HDC dc, int x, int y);                 // CLR_INVALID outside
BOOL ExtFloodFill(HDC dc, int x, int y, COLORREF color, UINT type);

} // namespace platform::gdi
