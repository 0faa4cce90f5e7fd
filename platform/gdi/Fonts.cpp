#include "platform/gdi/Fonts.h"

#include "platform/gdi/ObjectTable.h"
#include "platform/text/Codepage.h"

#include <QFontMetrics>

#include <cmath>
#include <cstring>

namespace platform::gdi {

namespace {

const QString kSans = QStringLiteral("Noto Sans CJK JP");
const QString kSansMono = QStringLiteral("Noto Sans Mono CJK JP");
const QString kSerif = QStringLiteral("Noto Serif CJK JP");

QString faceOf(const LOGFONTA& logFont) {
    const char* name = logFont.lfFaceName;
    return text::decodeCp932(QByteArray(name, static_cast<int>(strnlen(name, LF_FACESIZE))));
}

// The desktop's Japanese faces have a cell as tall as the em with no internal
// leading at menu sizes; the stand-in fonts report taller lines, so the cell
// of a mapped face is taken from the desktop's proportions instead.
constexpr double kJapaneseAscent = 0.86;

bool isMappedFace(const QString& family) {
    return family == kSans || family == kSansMono || family == kSerif;
}

} // namespace

QString familyForFace(const QString& face, BYTE pitchAndFamily) {
    const QString folded = face.normalized(QString::NormalizationForm_KC).toLower();
    const bool mincho = folded.contains(QStringLiteral("明朝")) || folded.contains(u"mincho");
    const bool gothic = folded.contains(QStringLiteral("ゴシック")) || folded.contains(u"gothic");
    // "ＭＳ Ｐゴシック" and "MS UI Gothic" are proportional; "ＭＳ ゴシック" is
    // fixed. Full-width letters were folded to ASCII above.
    const bool proportional = folded.contains(u"p ") || folded.contains(u" p") ||
                              folded.contains(QStringLiteral("pゴ")) ||
                              folded.contains(QStringLiteral("p明")) || folded.contains(u"ui") ||
                              folded.contains(u"pgothic") || folded.contains(u"pmincho");
    if (mincho)
        return kSerif; // no fixed-pitch mincho is installed: the serif serves both
    if (gothic)
        return proportional ? kSans : kSansMono;
    if (folded == u"system" || folded.isEmpty())
        return (pitchAndFamily & 3) == FIXED_PITCH ? kSansMono : kSans;
    if (folded == u"terminal" || folded == u"fixedsys" || folded.contains(u"courier"))
        return kSansMono;
    return face;
}

QFont fontFromLogFont(const LOGFONTA& logFont, bool* vertical) {
    QString face = faceOf(logFont);
    const bool isVertical = face.startsWith(QLatin1Char('@'));
    if (isVertical)
        face.remove(0, 1);
    if (vertical)
        *vertical = isVertical;
    const QString family = familyForFace(face, logFont.lfPitchAndFamily);
    QFont font;
    // An unknown Western face still falls back to the Japanese gothic for
    // characters it lacks.
    font.setFamilies(family == kSans ? QStringList{kSans} : QStringList{family, kSans});
    font.setHintingPreference(QFont::PreferFullHinting);
    int pixels = 12; // lfHeight 0: the default size
    if (logFont.lfHeight < 0) {
        pixels = -logFont.lfHeight;
    } else if (logFont.lfHeight > 0) {
        // A positive height is the cell height.
        if (isMappedFace(family)) {
            pixels = logFont.lfHeight;
        } else {
            QFont probe = font;
            probe.setPixelSize(100);
            const QFontMetrics metrics(probe);
            const int cell = std::max(1, metrics.ascent() + metrics.descent());
            pixels = std::max(1, (logFont.lfHeight * 100 + cell / 2) / cell);
        }
    }
    font.setPixelSize(std::clamp(pixels, 1, 2000));
    const LONG weight = logFont.lfWeight == FW_DONTCARE ? FW_NORMAL : logFont.lfWeight;
    font.setWeight(static_cast<QFont::Weight>(std::clamp<LONG>(weight, 100, 900)));
    font.setItalic(logFont.lfItalic != 0);
    font.setUnderline(logFont.lfUnderline != 0);
    font.setStrikeOut(logFont.lfStrikeOut != 0);
    return font;
}

void prepareFont(Font& font) {
    font.qfont = fontFromLogFont(font.logFont, &font.vertical);
    font.monoFont = font.qfont;
    font.monoFont.setStyleStrategy(QFont::NoAntialias);
    font.pixelSize = font.qfont.pixelSize();
    const QFontMetrics metrics(font.qfont);
    if (isMappedFace(font.qfont.families().value(0))) {
        font.ascent = static_cast<int>(std::lround(font.pixelSize * kJapaneseAscent));
        font.descent = font.pixelSize - font.ascent;
    } else {
        font.ascent = metrics.ascent();
        font.descent = metrics.descent();
    }
    int sum = 0;
    for (char c = 'a'; c <= 'z'; ++c)
        sum += metrics.horizontalAdvance(QLatin1Char(c));
    for (char c = 'A'; c <= 'Z'; ++c)
        sum += metrics.horizontalAdvance(QLatin1Char(c));
    font.averageWidth = (sum + 26) / 52;
    font.maxWidth = std::max(metrics.maxWidth(), font.pixelSize);
    font.angle = font.logFont.lfEscapement / 10.0;
}

HFONT CreateFontIndirectA(const LOGFONTA* logFont) {
    if (!logFont)
        return 0;
    auto font = std::make_unique<Font>();
    font->logFont = *logFont;
    font->logFont.lfFaceName[LF_FACESIZE - 1] = 0;
    prepareFont(*font);
    return addObject(std::move(font));
}

BOOL GetTextMetricsA(HDC dc, TEXTMETRICA* metrics) {
    DeviceContext* context = find<DeviceContext>(dc);
    if (!context || !metrics)
        return win::FALSE;
    const Font* font = findSelected<Font>(context->font);
    if (!font)
        return win::FALSE;
    TEXTMETRICA result;
    result.tmAscent = font->ascent;
    result.tmDescent = font->descent;
    result.tmHeight = font->ascent + font->descent;
    result.tmInternalLeading = std::max(0, result.tmHeight - font->pixelSize);
    result.tmAveCharWidth = font->averageWidth;
    result.tmMaxCharWidth = font->maxWidth;
    result.tmWeight = font->logFont.lfWeight ? font->logFont.lfWeight : FW_NORMAL;
    result.tmItalic = font->logFont.lfItalic;
    result.tmUnderlined = font->logFont.lfUnderline;
    result.tmStruckOut = font->logFont.lfStrikeOut;
    result.tmCharSet = font->logFont.lfCharSet;
    *metrics = result;
    return win::TRUE;
}

} // namespace platform::gdi
