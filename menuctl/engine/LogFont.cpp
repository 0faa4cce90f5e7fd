#include "menuctl/engine/LogFont.h"
#include "menuctl/engine/PixelRules.h"
#include "platform/text/Codepage.h"
#include <cmath>
#include <cstring>

namespace zephalt {

platform::gdi::LOGFONTA MakeLogFont(const platform::forms::FontObject& font) {
    platform::gdi::LOGFONTA logFont;
    logFont.lfHeight = -roundHalfEven(font.size * 96.0 / 72.0);
    logFont.lfWeight = font.weight;
    logFont.lfItalic = font.italic ? 1 : 0;
    logFont.lfUnderline = font.underline ? 1 : 0;
    logFont.lfStrikeOut = font.strikethrough ? 1 : 0;
    logFont.lfCharSet = static_cast<platform::gdi::BYTE>(font.charset);
    const QByteArray face =
        platform::text::encodeCp932(font.name).left(platform::gdi::LF_FACESIZE - 1);
    std::memcpy(logFont.lfFaceName, face.constData(), static_cast<std::size_t>(face.size()));
    return logFont;
}

platform::forms::FontObject fontFromLogFont(const platform::gdi::LOGFONTA& logFont,
                                            int pixelsPerInch) {
    platform::forms::FontObject font;
    font.name = platform::text::decodeCp932(QByteArray(
        logFont.lfFaceName,
        static_cast<qsizetype>(strnlen(logFont.lfFaceName, platform::gdi::LF_FACESIZE))));
    font.size = std::abs(72.0 / (pixelsPerInch > 0 ? pixelsPerInch : 96) * logFont.lfHeight);
    font.charset = logFont.lfCharSet;
    font.weight = logFont.lfWeight;
    font.italic = logFont.lfItalic != 0;
    font.underline = logFont.lfUnderline != 0;
    font.strikethrough = logFont.lfStrikeOut != 0;
    return font;
}

} // namespace zephalt
