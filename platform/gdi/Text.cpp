#include "platform/gdi/Text.h"

#include "platform/gdi/ObjectTable.h"
#include "platform/gdi/RasterOps.h"
#include "platform/text/Codepage.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStringList>

#include <cstring>
#include <unordered_map>

namespace platform::gdi {

namespace {

// Menus draw the same few texts over and over: their Unicode forms are kept,
// found by a hash of the bytes without copying them.
QString decodeText(const char* text, int count) {
    const std::size_t length = count < 0 ? std::strlen(text) : static_cast<std::size_t>(count);
    std::uint64_t hash = 1469598103934665603ull; // FNV-1a
    for (std::size_t i = 0; i < length; ++i)
        hash = (hash ^ static_cast<unsigned char>(text[i])) * 1099511628211ull;
    struct Entry {
        QByteArray bytes;
        QString decoded;
    };
    static std::unordered_map<std::uint64_t, Entry> decoded;
    const auto it = decoded.find(hash);
    if (it != decoded.end() && static_cast<std::size_t>(it->second.bytes.size()) == length) {
        const char* kept = it->second.bytes.constData();
        std::size_t i = 0;
        while (i < length && kept[i] == text[i])
            ++i;
        if (i == length)
            return it->second.decoded;
    }
    if (decoded.size() > 4096)
        decoded.clear();
    const QByteArray bytes(text, static_cast<qsizetype>(length));
    QString result = text::decodeCp932(bytes);
    decoded[hash] = Entry{bytes, result};
    return result;
}

QStringList splitLines(const QString& text, bool singleLine) {
    if (singleLine) {
        QString line = text;
        line.remove(QLatin1Char('\r'));
        line.remove(QLatin1Char('\n'));
        return {line};
    }
    QString normal = text;
    normal.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    normal.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return normal.split(QLatin1Char('\n'));
}

// In a vertical line, characters that stand upright (ideographs, kana,
// full-width forms); the others lie along the line. Brackets and the long
// vowel mark lie along the line too, which is how their vertical forms look.
bool standsUpright(char16_t c) {
    if (c >= 0x3008 && c <= 0x3011)
        return false; // 〈〉《》「」『』【】
    if ((c >= 0x3014 && c <= 0x301C) || c == 0x30FC)
        return false; // 〔〕〖〗〘〙〚〛〜 ー
    if (c == 0xFF08 || c == 0xFF09 || c == 0xFF0D || c == 0xFF3B || c == 0xFF3D || c == 0xFF5B ||
        c == 0xFF5D || c == 0xFF5E)
        return false; // （）－［］｛｝～
    return (c >= 0x3000 && c <= 0x30FF) || (c >= 0x3400 && c <= 0x9FFF) ||
           (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFF01 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0xAC00 && c <= 0xD7AF) ||
           (c >= 0xD800 && c <= 0xDFFF);
}

// The vertical forms of the ideographic comma and full stop sit in the
// upper right of their cell.
QChar verticalForm(QChar c) {
    if (c == QChar(0x3001))
        return QChar(0xFE11);
    if (c == QChar(0x3002))
        return QChar(0xFE12);
    return c;
}

int advanceOf(const Font& font, QChar c) {
    if (font.face->vertical && standsUpright(c.unicode()))
        return font.face->pixelSize;
    return font.face->metrics.horizontalAdvance(c);
}

int runWidth(const Font& font, const QString& text) {
    if (!font.face->vertical)
        return font.face->width(text);
    int width = 0;
    for (const QChar c : text)
        width += advanceOf(font, c);
    return width;
}

// Draws one run with its reference point at logical (x, y), as ExtTextOut
// does: the DC's alignment places the run's box around the point in the
// font's rotated frame. underline names a character to underline, -1 none.
void drawRun(DeviceContext& dc, const Font& font, int x, int y, const QString& text, int underline,
             const QRect* clipLogical) {
    QImage* surface = surfaceOf(dc);
    if (!surface)
        return;
    QRect clip = clipOf(dc);
    if (clipLogical)
        clip &= clipLogical->translated(dc.origin);
    if (clip.isEmpty())
        return;
    const bool mono = bitsPixelOf(dc) == 1;
    const QFontMetrics& metrics = font.face->metrics;
    const bool needWidth = (dc.textAlign & TA_RIGHT) || dc.bkMode == OPAQUE;
    const int width = needWidth ? runWidth(font, text) : 0;
    const int height = font.face->ascent + font.face->descent;
    int startX = 0;
    if ((dc.textAlign & TA_CENTER) == TA_CENTER)
        startX = -width / 2;
    else if (dc.textAlign & TA_RIGHT)
        startX = -width;
    int baseline = font.face->ascent;
    if ((dc.textAlign & TA_BASELINE) == TA_BASELINE)
        baseline = 0;
    else if (dc.textAlign & TA_BOTTOM)
        baseline = -font.face->descent;
    QRgb ink = rgbOf(dc.textColor);
    QRgb paper = rgbOf(dc.bkColor);
    if (mono) {
        ink = monoOf(ink);
        paper = monoOf(paper);
    }

    // The painter's state is set whole for every run, so nothing of it needs
    // saving: painterOfDC hands it back plain.
    QPainter& painter = painterOf(dc);
    if (clip == surface->rect()) {
        if (painter.hasClipping())
            painter.setClipping(false);
    } else
        painter.setClipRect(clip);
    // Unrotated text is placed by offsets: the painter's glyph caches serve an
    // untransformed painter best.
    int offsetX = 0;
    int offsetY = 0;
    if (font.angle != 0 || font.face->vertical) {
        QTransform place = QTransform::fromTranslate(x + dc.origin.x(), y + dc.origin.y());
        place.rotate(-font.angle);
        painter.setTransform(place);
    } else {
        if (painter.transform().type() != QTransform::TxNone)
            painter.resetTransform();
        offsetX = x + dc.origin.x();
        offsetY = y + dc.origin.y();
    }
    startX += offsetX;
    baseline += offsetY;
    // Setting a font makes the painter resolve it again: only when it changes.
    if (dc.painterFace != font.face || dc.painterMono != mono) {
        painter.setFont(mono ? font.face->monoFont : font.face->qfont);
        painter.setPen(QColor(ink));
        dc.painterFace = font.face;
        dc.painterMono = mono;
        dc.painterInk = ink;
    } else if (dc.painterInk != ink) {
        painter.setPen(QColor(ink));
        dc.painterInk = ink;
    }
    if (dc.bkMode == OPAQUE)
        painter.fillRect(QRect(startX, baseline - font.face->ascent, width, height), QColor(paper));
    if (!font.face->vertical) {
        painter.drawText(QPoint(startX, baseline), text);
    } else {
        int at = startX;
        const double middle = baseline - font.face->ascent + height / 2.0;
        for (const QChar c : text) {
            const int advance = advanceOf(font, c);
            if (standsUpright(c.unicode())) {
                const QChar shown = verticalForm(c);
                painter.save();
                painter.translate(at + advance / 2.0, middle);
                painter.rotate(-90);
                painter.drawText(QPointF(-metrics.horizontalAdvance(shown) / 2.0,
                                         (font.face->ascent - font.face->descent) / 2.0),
                                 QString(shown));
                painter.restore();
            } else {
                painter.drawText(QPoint(at, baseline), QString(c));
            }
            at += advance;
        }
    }
    if (underline >= 0 && underline < text.size()) {
        const int from = startX + runWidth(font, text.left(underline));
        const int length = advanceOf(font, text.at(underline));
        painter.fillRect(QRect(from, baseline + 1, length, 1), QColor(ink));
    }
}

const Font* fontOf(DeviceContext& dc) {
    return findSelected<Font>(dc.font);
}

int drawText(DeviceContext& dc, const QString& text, RECT* rect, UINT format) {
    const Font* font = fontOf(dc);
    if (!font)
        return 0;
    const bool singleLine = (format & DT_SINGLELINE) != 0;
    const bool prefixes = (format & DT_NOPREFIX) == 0;

    struct Line {
        PrefixedText text;
        int width = 0;
    };
    std::vector<Line> lines;
    int widest = 0;
    for (const QString& raw : splitLines(text, singleLine)) {
        Line line;
        line.text = prefixes ? stripPrefix(raw) : PrefixedText{raw, -1};
        line.width = runWidth(*font, line.text.shown);
        widest = std::max(widest, line.width);
        lines.push_back(std::move(line));
    }
    const int lineHeight = font->face->ascent + font->face->descent;
    const int height = lineHeight * static_cast<int>(lines.size());

    if (format & DT_CALCRECT) {
        rect->right = rect->left + widest;
        rect->bottom = rect->top + height;
        return height;
    }

    const QRect box = rectOf(*rect);
    int y = box.top();
    if (singleLine && (format & DT_VCENTER))
        y = box.top() + (box.height() - lineHeight) / 2;
    else if (singleLine && (format & DT_BOTTOM))
        y = box.bottom() + 1 - lineHeight;
    const QRect* clip = (format & DT_NOCLIP) ? nullptr : &box;
    for (const Line& line : lines) {
        int x = box.left();
        if (format & DT_CENTER)
            x = box.left() + (box.width() - line.width) / 2;
        else if (format & DT_RIGHT)
            x = box.right() + 1 - line.width;
        drawRun(dc, *font, x, y, line.text.shown, line.text.underline, clip);
        y += lineHeight;
    }
    return height;
}

} // namespace

PrefixedText stripPrefix(const QString& text) {
    PrefixedText result;
    result.shown.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size()) {
            ++i;
            if (text[i] != QLatin1Char('&') && result.underline < 0)
                result.underline = static_cast<int>(result.shown.size());
        } else if (text[i] == QLatin1Char('&')) {
            continue; // a lone "&" at the end marks nothing
        }
        result.shown.append(text[i]);
    }
    return result;
}

int DrawTextA(HDC dc, const char* text, int count, RECT* rect, UINT format) {
    DeviceContext* context = find<DeviceContext>(dc);
    if (!context || !text || !rect || count == 0)
        return 0;
    return drawText(*context, decodeText(text, count), rect, format);
}

int drawTextW(HDC dc, const QString& text, RECT* rect, UINT format) {
    DeviceContext* context = find<DeviceContext>(dc);
    if (!context || !rect || text.isEmpty())
        return 0;
    return drawText(*context, text, rect, format);
}

BOOL GetTextExtentPoint32A(HDC dc, const char* text, int count, SIZE* size) {
    DeviceContext* context = find<DeviceContext>(dc);
    if (!context || !text || !size || count < 0)
        return win::FALSE;
    const Font* font = fontOf(*context);
    if (!font)
        return win::FALSE;
    size->cx = runWidth(*font, decodeText(text, count));
    size->cy = font->face->ascent + font->face->descent;
    return win::TRUE;
}

BOOL TextOutA(HDC dc, int x, int y, const char* text, int count) {
    return ExtTextOutA(dc, x, y, 0, nullptr, text, count, nullptr);
}

BOOL ExtTextOutA(HDC dc, int x, int y, UINT options, const RECT* rect, const char* text, int count,
                 const int* dx) {
    DeviceContext* context = find<DeviceContext>(dc);
    if (!context || count < 0 || (count > 0 && !text) || dx)
        return win::FALSE;
    const Font* font = fontOf(*context);
    if (!font)
        return win::FALSE;
    if ((options & ETO_OPAQUE) && rect) {
        Brush paper;
        paper.color = context->bkColor;
        rasterBlit(*context, rectOf(*rect).translated(context->origin), nullptr, &paper, PATCOPY);
    }
    if (count == 0)
        return win::TRUE;
    const QRect clip = rect ? rectOf(*rect) : QRect();
    drawRun(*context, *font, x, y, decodeText(text, count), -1,
            (options & ETO_CLIPPED) && rect ? &clip : nullptr);
    return win::TRUE;
}

} // namespace platform::gdi
