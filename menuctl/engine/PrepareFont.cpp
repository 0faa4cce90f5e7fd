// Warming the menu font: drawing a word with it, upright and in its vertical
// form, on a small hidden bitmap makes the font engine load both faces now,
// so that the first opening of a menu or of a bar with vertical text does not
// pay for it.
#include "menuctl/engine/LogFont.h"
#include "menuctl/engine/OwnerDrawMenu.h"
#include "platform/gdi/Gdi.h"

namespace zephalt {

using namespace platform::gdi;

namespace {

void drawDummy(HDC dc, const LOGFONTA& logFont) {
    const HFONT made = CreateFontIndirectA(&logFont);
    const HGDIOBJ previous = SelectObject(dc, made);
    static const char dummy[] = "Dummy";
    DrawStateA(dc, 0, nullptr, reinterpret_cast<platform::win::LPARAM>(dummy), 5, 0, 0, 0, 0,
               DST_TEXT);
    SelectObject(dc, previous);
    DeleteObject(made);
}

} // namespace

void OwnerDrawMenu::PrepareFont() {
    const HDC dc = CreateCompatibleDC(0);
    const HBITMAP bits = CreateBitmap(8, 8, 1, 1, nullptr);
    const HGDIOBJ previous = SelectObject(dc, bits);
    drawDummy(dc, MakeLogFont(font_));
    platform::forms::FontObject vertical = font_;
    vertical.name = QStringLiteral("@") + font_.name;
    LOGFONTA verticalLog = MakeLogFont(vertical);
    verticalLog.lfEscapement = verticalLog.lfOrientation = 2700;
    drawDummy(dc, verticalLog);
    SelectObject(dc, previous);
    DeleteObject(bits);
    DeleteDC(dc);
}

} // namespace zephalt
