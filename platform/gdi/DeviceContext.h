#pragma once
// Device contexts over images, with the few drawing calls that owners of
// owner-drawn menu items use. A DC draws into the QImage it was made over
// through one QPainter that lives as long as the DC; the menu manager paints
// its own parts through the same painter so both share one clip and font.
#include "platform/win/WinTypes.h"
#include <QString>
#include <cstdint>

class QFont;
class QImage;
class QPainter;

namespace platform::gdi {

using win::BOOL;
using win::COLORREF;
using win::HBRUSH;
using win::HDC;
using win::HGDIOBJ;
using win::RECT;
using win::UINT;

struct SIZE {
    std::int32_t cx = 0;
    std::int32_t cy = 0;
};

// Background modes.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// DrawTextA formats.
constexpr UINT DT_LEFT = 0x0000;
constexpr UINT DT_TOP = 0x0000;
constexpr UINT DT_CENTER = 0x0001;
constexpr UINT DT_RIGHT = 0x0002;
constexpr UINT DT_VCENTER = 0x0004;
constexpr UINT DT_BOTTOM = 0x0008;
constexpr UINT DT_SINGLELINE = 0x0020;
constexpr UINT DT_NOCLIP = 0x0100;
constexpr UINT DT_CALCRECT = 0x0400;
constexpr UINT DT_NOPREFIX = 0x0800;

// A DC over the image, with the defaults of a new DC: black text, white
// background, opaque, the application font. The image must outlive the DC.
// Returns 0 for a null or empty image.
HDC createImageDC(QImage* image);
void releaseImageDC(HDC dc);
// The DC's painter and image, or null for an unknown handle.
QPainter* painterOfDC(HDC dc);
QImage* imageOfDC(HDC dc);
void selectFont(HDC dc, const QFont& font);

COLORREF SetTextColor(HDC dc, COLORREF color); // returns the previous colour
COLORREF GetTextColor(HDC dc);
COLORREF SetBkColor(HDC dc, COLORREF color);
COLORREF GetBkColor(HDC dc);
int SetBkMode(HDC dc, int mode); // returns the previous mode, 0 on failure
int GetBkMode(HDC dc);

// Brushes. FillRect also takes a system colour index + 1 in place of a brush,
// as the platform's window classes do.
HBRUSH CreateSolidBrush(COLORREF color);
BOOL DeleteObject(HGDIOBJ object);
int FillRect(HDC dc, const RECT* rect, HBRUSH brush);

// Text in code page 932. count -1 means NUL-terminated. Returns the height of
// the text, 0 on failure.
int DrawTextA(HDC dc, const char* text, int count, RECT* rect, UINT format);
BOOL GetTextExtentPoint32A(HDC dc, const char* text, int count, SIZE* size);

// "&x" marks x as the mnemonic (drawn underlined); "&&" stands for "&".
struct PrefixedText {
    QString shown;
    int underline = -1; // index into shown, -1 for none
};
PrefixedText stripPrefix(const QString& text);

} // namespace platform::gdi
