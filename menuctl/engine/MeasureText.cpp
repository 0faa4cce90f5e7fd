#include "menuctl/engine/MeasureText.h"
#include "menuctl/engine/PixelRules.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/text/Codepage.h"
#include <QFont>
#include <QImage>

namespace zephalt {

int fontPixelHeight(const platform::forms::FontObject& font) {
    return roundHalfEven(font.size * 96.0 / 72.0);
}

QSize MeasureText(const platform::forms::FontObject& font, const QString& text) {
    QImage surface(8, 8, QImage::Format_RGB32);
    const platform::gdi::HDC dc = platform::gdi::createImageDC(&surface);
    if (dc == 0) {
        return {};
    }
    QFont qfont(font.name);
    qfont.setPixelSize(std::max(1, fontPixelHeight(font)));
    qfont.setWeight(
        static_cast<QFont::Weight>(std::clamp(font.weight == 0 ? 400 : font.weight, 100, 900)));
    qfont.setItalic(font.italic);
    qfont.setUnderline(font.underline);
    qfont.setStrikeOut(font.strikethrough);
    platform::gdi::selectFont(dc, qfont);
    platform::gdi::UINT format = platform::gdi::DT_CALCRECT;
    if (!text.contains(QStringLiteral("\r\n"))) {
        format |= platform::gdi::DT_SINGLELINE;
    }
    const QByteArray ansi = platform::text::encodeCp932(text);
    platform::win::RECT rect;
    platform::gdi::DrawTextA(dc, ansi.constData(), static_cast<int>(ansi.size()), &rect, format);
    platform::gdi::releaseImageDC(dc);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

} // namespace zephalt
