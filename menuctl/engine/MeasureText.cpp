#include "menuctl/engine/MeasureText.h"

#include "menuctl/engine/AnsiTexts.h"
#include "menuctl/engine/LogFont.h"
#include "menuctl/engine/PixelRules.h"
#include "platform/gdi/Gdi.h"
#include "platform/text/Codepage.h"

namespace zephalt {

using namespace platform::gdi;

int fontPixelHeight(const platform::forms::FontObject& font) {
    return roundHalfEven(font.size * 96.0 / 72.0);
}

QSize MeasureText(const platform::forms::FontObject& font, const QString& text, AnsiTexts* texts) {
    const HDC dc = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    if (dc == 0) {
        return {};
    }
    const LOGFONTA logFont = MakeLogFont(font);
    const HFONT made = CreateFontIndirectA(&logFont);
    const HGDIOBJ previous = SelectObject(dc, made);
    UINT format = DT_CALCRECT;
    if (!text.contains(QStringLiteral("\r\n"))) {
        format |= DT_SINGLELINE;
    }
    const QByteArray ansi = texts != nullptr ? texts->of(text) : platform::text::encodeCp932(text);
    RECT rect;
    DrawTextA(dc, ansi.constData(), static_cast<int>(ansi.size()), &rect, format);
    SelectObject(dc, previous);
    DeleteObject(made);
    DeleteDC(dc);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

} // namespace zephalt
