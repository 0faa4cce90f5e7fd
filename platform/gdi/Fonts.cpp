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

int FontFace::width(const QString& text) {
    const auto it = widths.constFind(text);
    if (it != widths.constEnd())
        return it.value();
    if (widths.size() > 2048)
        widths.clear();
    const int measured = metrics.horizontalAdvance(text);
    widths.insert(text, measured);
    return measured;
}

void prepareFont(Font& font) {
    font.angle = font.logFont.lfEscapement / 10.0;
    // Faces by their LOGFONT without the rotation, which the drawing applies.
    LOGFONTA key = font.logFont;
    key.lfEscapement = key.lfOrientation = 0;
    const QByteArray bytes(reinterpret_cast<const char*>(&key), sizeof key);
    static QHash<QByteArray, std::shared_ptr<FontFace>> faces;
    if (const auto it = faces.constFind(bytes); it != faces.constEnd()) {
        font.face = it.value();
        return;
    }
    bool vertical = false;
    const QFont qfont = fontFromLogFont(font.logFont, &vertical);
    auto face = std::make_shared<FontFace>(qfont);
    face->qfont = qfont;
    face->vertical = vertical;
    face->monoFont = qfont;
    face->monoFont.setStyleStrategy(QFont::NoAntialias);
    face->pixelSize = qfont.pixelSize();
    if (isMappedFace(qfont.families().value(0))) {
        face->ascent = static_cast<int>(std::lround(face->pixelSize * kJapaneseAscent));
        face->descent = face->pixelSize - face->ascent;
    } else {
        face->ascent = face->metrics.ascent();
        face->descent = face->metrics.descent();
    }
    if (faces.size() > 256)
        faces.clear(); // fonts made so far keep their faces
    faces.insert(bytes, face);
    font.face = std::move(face);
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
    FontFace& face = *font->face;
    result.tmAscent = face.ascent;
    result.tmDescent = face.descent;
    result.tmHeight = face.ascent + face.descent;
    result.tmInternalLeading = std::max(0, result.tmHeight - face.pixelSize);
    int sum = 0;
    for (char c = 'a'; c <= 'z'; ++c)
        sum += face.metrics.horizontalAdvance(QLatin1Char(c));
    for (char c = 'A'; c <= 'Z'; ++c)
        sum += face.metrics.horizontalAdvance(QLatin1Char(c));
    result.tmAveCharWidth = (sum + 26) / 52;
    result.tmMaxCharWidth = std::max(face.metrics.maxWidth(), face.pixelSize);
    result.tmWeight = font->logFont.lfWeight ? font->logFont.lfWeight : FW_NORMAL;
    result.tmItalic = font->logFont.lfItalic;
    result.tmUnderlined = font->logFont.lfUnderline;
    result.tmStruckOut = font->logFont.lfStrikeOut;
    result.tmCharSet = font->logFont.lfCharSet;
    *metrics = result;
    return win::TRUE;
}

} // namespace platform::gdi
