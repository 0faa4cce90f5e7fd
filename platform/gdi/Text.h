#pragma once
// Text with the selected font: measuring, drawing with the DC's colours,
// background mode and text alignment, rotated by the font's escapement, and
// vertical writing for "@" faces.
#include "platform/gdi/GdiTypes.h"

#include <QString>

namespace platform::gdi {

// Text in code page 932. count -1 means NUL-terminated. Returns the height of
// the text, 0 on failure.
int DrawTextA(HDC dc, const char* text, int count, RECT* rect, UINT format);
// The extent along the baseline and the cell height, unrotated.
BOOL GetTextExtentPoint32A(HDC dc, const char* text, int count, SIZE* size);
BOOL TextOutA(HDC dc, int x, int y, const char* text, int count);
// ETO_OPAQUE fills rect with the background colour first; ETO_CLIPPED clips
// to it. Character spacing (dx) is not supported and must be null.
BOOL ExtTextOutA(HDC dc, int x, int y, UINT options, const RECT* rect, const char* text, int count,
                 const int* dx);

// "&x" marks x as the mnemonic (drawn underlined); "&&" stands for "&".
struct PrefixedText {
    QString shown;
    int underline = -1; // index into shown, -1 for none
};
PrefixedText stripPrefix(const QString& text);

// The same calls for text already in Unicode (the menu manager's own items).
int drawTextW(HDC dc, const QString& text, RECT* rect, UINT format);

} // namespace platform::gdi
