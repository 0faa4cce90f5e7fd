#include "menuctl/engine/SystemValues.h"
#include "platform/gdi/SystemColors.h"

namespace zephalt {

namespace {

// The classic desktop's values at 96 dots per inch, which this desktop's
// window manager does not report.
constexpr int EdgeSize = 2;
constexpr int CaptionHeight = 18;
constexpr int GradientActiveCaption = 27;
const QString UiFont = QStringLiteral("ＭＳ Ｐゴシック");
constexpr int ShiftJisCharset = 128;

} // namespace

int systemEdgeWidth() {
    return EdgeSize;
}

int systemEdgeHeight() {
    return EdgeSize;
}

int systemCaptionHeight() {
    return CaptionHeight;
}

platform::forms::FontObject systemMenuFont() {
    platform::forms::FontObject font;
    font.name = UiFont;
    font.size = 9;
    font.weight = 400;
    font.charset = ShiftJisCharset;
    return font;
}

platform::forms::FontObject systemCaptionFont() {
    platform::forms::FontObject font = systemMenuFont();
    font.weight = 700;
    return font;
}

std::uint32_t gradientCaptionColour() {
    return platform::gdi::GetSysColor(GradientActiveCaption);
}

bool translateColour(OleColor colour, std::uint32_t* colorref) {
    const std::uint32_t high = colour >> 24;
    std::uint32_t value = 0;
    bool ok = true;
    if (high == 0x80) {
        const std::uint32_t index = colour & 0xFFFFFF;
        ok = index <= 30;
        value = ok ? platform::gdi::GetSysColor(static_cast<int>(index)) : 0;
    } else if (high == 0x00 || high == 0x01 || high == 0x02) {
        value = colour & 0xFFFFFF;
    } else {
        ok = false;
    }
    if (colorref) {
        *colorref = value;
    }
    return ok;
}

std::uint32_t resolveColour(OleColor colour) {
    std::uint32_t value = 0;
    translateColour(colour, &value);
    return value;
}

} // namespace zephalt
