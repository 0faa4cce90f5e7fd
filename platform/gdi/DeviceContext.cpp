#include "platform/gdi/DeviceContext.h"

#include "platform/gdi/SystemColors.h"
#include "platform/text/Codepage.h"

#include <QApplication>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QStringList>

#include <memory>
#include <unordered_map>

namespace platform::gdi {

namespace {

struct DeviceContext {
    QImage* image = nullptr;
    std::unique_ptr<QPainter> painter;
    COLORREF textColor = 0x000000;
    COLORREF bkColor = 0xFFFFFF;
    int bkMode = OPAQUE;
};

// The handle tables are one per process, inside this library, because a DC
// or brush made by the menu manager is used by whichever library owns the
// menu's window (the program or a control library). Everything runs on the
// GUI thread, so they need no lock. Handles of DCs and brushes come from one
// counter so that a handle of one kind never names the other.
struct ObjectTable {
    std::unordered_map<HDC, DeviceContext> dcs;
    std::unordered_map<HBRUSH, COLORREF> brushes;
    std::uintptr_t next = 0x10000; // below are the system colour brushes (index + 1)
};

ObjectTable& table() {
    static ObjectTable objects;
    return objects;
}

DeviceContext* find(HDC dc) {
    auto& dcs = table().dcs;
    const auto it = dcs.find(dc);
    return it == dcs.end() ? nullptr : &it->second;
}

QRect toQRect(const RECT& r) {
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

bool brushColor(HBRUSH brush, COLORREF* color) {
    if (brush >= 1 && brush <= static_cast<HBRUSH>(syscolor::Last) + 1) {
        *color = GetSysColor(static_cast<int>(brush) - 1);
        return true;
    }
    const auto& brushes = table().brushes;
    const auto it = brushes.find(brush);
    if (it == brushes.end())
        return false;
    *color = it->second;
    return true;
}

QString decodeText(const char* text, int count) {
    const QByteArray bytes = count < 0 ? QByteArray(text) : QByteArray(text, count);
    return text::decodeCp932(bytes);
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

HDC createImageDC(QImage* image) {
    if (!image || image->isNull())
        return 0;
    ObjectTable& objects = table();
    const HDC handle = objects.next++;
    DeviceContext& dc = objects.dcs[handle];
    dc.image = image;
    dc.painter = std::make_unique<QPainter>(image);
    dc.painter->setFont(QApplication::font());
    return handle;
}

void releaseImageDC(HDC dc) {
    auto& dcs = table().dcs;
    const auto it = dcs.find(dc);
    if (it == dcs.end())
        return;
    it->second.painter->end();
    dcs.erase(it);
}

QPainter* painterOfDC(HDC dc) {
    DeviceContext* context = find(dc);
    return context ? context->painter.get() : nullptr;
}

QImage* imageOfDC(HDC dc) {
    DeviceContext* context = find(dc);
    return context ? context->image : nullptr;
}

void selectFont(HDC dc, const QFont& font) {
    if (DeviceContext* context = find(dc))
        context->painter->setFont(font);
}

COLORREF SetTextColor(HDC dc, COLORREF color) {
    DeviceContext* context = find(dc);
    if (!context)
        return 0xFFFFFFFF; // CLR_INVALID
    const COLORREF previous = context->textColor;
    context->textColor = color & 0xFFFFFF;
    return previous;
}

COLORREF GetTextColor(HDC dc) {
    DeviceContext* context = find(dc);
    return context ? context->textColor : 0xFFFFFFFF;
}

COLORREF SetBkColor(HDC dc, COLORREF color) {
    DeviceContext* context = find(dc);
    if (!context)
        return 0xFFFFFFFF;
    const COLORREF previous = context->bkColor;
    context->bkColor = color & 0xFFFFFF;
    return previous;
}

COLORREF GetBkColor(HDC dc) {
    DeviceContext* context = find(dc);
    return context ? context->bkColor : 0xFFFFFFFF;
}

int SetBkMode(HDC dc, int mode) {
    DeviceContext* context = find(dc);
    if (!context || (mode != TRANSPARENT && mode != OPAQUE))
        return 0;
    const int previous = context->bkMode;
    context->bkMode = mode;
    return previous;
}

int GetBkMode(HDC dc) {
    DeviceContext* context = find(dc);
    return context ? context->bkMode : 0;
}

HBRUSH CreateSolidBrush(COLORREF color) {
    ObjectTable& objects = table();
    const HBRUSH handle = objects.next++;
    objects.brushes[handle] = color & 0xFFFFFF;
    return handle;
}

BOOL DeleteObject(HGDIOBJ object) {
    return table().brushes.erase(object) ? win::TRUE : win::FALSE;
}

int FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
    DeviceContext* context = find(dc);
    COLORREF color = 0;
    if (!context || !rect || !brushColor(brush, &color))
        return 0;
    const QRect area = toQRect(*rect);
    if (!area.isEmpty())
        context->painter->fillRect(area, colorOfColorref(color));
    return 1;
}

int DrawTextA(HDC dc, const char* text, int count, RECT* rect, UINT format) {
    DeviceContext* context = find(dc);
    if (!context || !text || !rect || count == 0)
        return 0;
    QPainter& painter = *context->painter;
    const QFontMetrics metrics(painter.font());
    const bool singleLine = (format & DT_SINGLELINE) != 0;
    const bool prefixes = (format & DT_NOPREFIX) == 0;

    struct Line {
        PrefixedText text;
        int width = 0;
    };
    std::vector<Line> lines;
    int widest = 0;
    for (const QString& raw : splitLines(decodeText(text, count), singleLine)) {
        Line line;
        line.text = prefixes ? stripPrefix(raw) : PrefixedText{raw, -1};
        line.width = metrics.horizontalAdvance(line.text.shown);
        widest = std::max(widest, line.width);
        lines.push_back(std::move(line));
    }
    const int lineHeight = metrics.height();
    const int height = lineHeight * static_cast<int>(lines.size());

    if (format & DT_CALCRECT) {
        rect->right = rect->left + widest;
        rect->bottom = rect->top + height;
        return height;
    }

    const QRect box = toQRect(*rect);
    int y = box.top();
    if (singleLine && (format & DT_VCENTER))
        y = box.top() + (box.height() - lineHeight) / 2;
    else if (singleLine && (format & DT_BOTTOM))
        y = box.bottom() + 1 - lineHeight;

    painter.save();
    if (!(format & DT_NOCLIP))
        painter.setClipRect(box, painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    const QColor textColor = colorOfColorref(context->textColor);
    painter.setPen(textColor);
    for (const Line& line : lines) {
        int x = box.left();
        if (format & DT_CENTER)
            x = box.left() + (box.width() - line.width) / 2;
        else if (format & DT_RIGHT)
            x = box.right() + 1 - line.width;
        if (context->bkMode == OPAQUE)
            painter.fillRect(QRect(x, y, line.width, lineHeight),
                             colorOfColorref(context->bkColor));
        painter.drawText(QPoint(x, y + metrics.ascent()), line.text.shown);
        if (line.text.underline >= 0) {
            const int from =
                x + metrics.horizontalAdvance(line.text.shown.left(line.text.underline));
            const int width = metrics.horizontalAdvance(line.text.shown.at(line.text.underline));
            painter.fillRect(QRect(from, y + metrics.ascent() + 1, width, 1), textColor);
        }
        y += lineHeight;
    }
    painter.restore();
    return height;
}

BOOL GetTextExtentPoint32A(HDC dc, const char* text, int count, SIZE* size) {
    DeviceContext* context = find(dc);
    if (!context || !text || !size || count < 0)
        return win::FALSE;
    const QFontMetrics metrics(context->painter->font());
    size->cx = metrics.horizontalAdvance(decodeText(text, count));
    size->cy = metrics.height();
    return win::TRUE;
}

} // namespace platform::gdi
