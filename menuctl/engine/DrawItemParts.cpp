#include "menuctl/engine/DrawItemParts.h"

#include "menuctl/engine/BarDrawing.h"
#include "menuctl/engine/BarLayout.h"
#include "menuctl/engine/IconHandles.h"
#include "menuctl/engine/OwnerDrawMenu.h"
#include "menuctl/engine/PixelRules.h"
#include "menuctl/engine/SystemValues.h"
#include "platform/gdi/Gdi.h"

namespace zephalt {

using namespace platform::gdi;
using platform::win::LPARAM;
using platform::win::WPARAM;

namespace {

// An icon drawn with DrawStateA in one of the image modes; modes 4 to 6 draw
// a transformed copy. The brush (0 for none) colours the mono silhouette.
void drawIcon(HDC dc, const IconPixels& pixels, int x, int y, int mode, OleColor tint,
              UINT extraFlags = 0) {
    IconPixels shown = pixels;
    UINT flags = DST_ICON | extraFlags;
    switch (mode) {
    case 1:
        flags |= DSS_DISABLED;
        break;
    case 2:
        flags |= DSS_MONO;
        break;
    case 3:
        flags |= DSS_UNION | DSS_DISABLED;
        break;
    case 4:
        shown = MakeNegativeIcon(pixels);
        break;
    case 5:
        shown = MakeGrayIcon(pixels);
        break;
    case 6:
        shown = MakeBlendedIcon(pixels, resolveColour(tint));
        break;
    default:
        break;
    }
    const HICON icon = iconFromPixels(shown);
    const HBRUSH brush = (flags & DSS_MONO) ? CreateSolidBrush(resolveColour(tint)) : 0;
    DrawStateA(dc, brush, nullptr, static_cast<LPARAM>(icon), 0, x, y, 0, 0, flags);
    if (brush != 0) {
        DeleteObject(brush);
    }
    DestroyIcon(icon);
}

int heightOf(const RECT& rect) {
    return rect.bottom - rect.top + 1;
}

// One line of text at (x, y): "&" underlines the next letter unless the text
// is drawn plain (the shortcut).
void drawLine(HDC dc, const QByteArray& ansi, int x, int y, UINT stateFlags, bool prefix) {
    if (ansi.isEmpty()) {
        return;
    }
    DrawStateA(dc, 0, nullptr, reinterpret_cast<LPARAM>(ansi.constData()),
               static_cast<WPARAM>(ansi.size()), x, y, 0, 0,
               (prefix ? DST_PREFIXTEXT : DST_TEXT) | stateFlags);
}

SIZE measure(HDC dc, const QByteArray& ansi, UINT format) {
    RECT box{0, 0, 0, 0};
    DrawTextA(dc, ansi.constData(), static_cast<int>(ansi.size()), &box, DT_CALCRECT | format);
    return {box.right - box.left, box.bottom - box.top};
}

// The caption as a block centred in the rectangle, one line after another by
// each line's own height.
void drawCaption(AnsiTexts& texts, HDC dc, const RECT& rect, const QString& caption,
                 UINT stateFlags, int x) {
    const bool severalLines = caption.contains(QStringLiteral("\r\n"));
    const SIZE block = measure(dc, texts.of(caption), severalLines ? 0 : DT_SINGLELINE);
    int y = rect.top + (heightOf(rect) - block.cy) / 2;
    for (const QString& line : caption.split(QStringLiteral("\r\n"))) {
        const QByteArray& ansi = texts.of(line);
        drawLine(dc, ansi, x, y, stateFlags, true);
        // An empty line still takes a line's height.
        y += measure(dc, ansi.isEmpty() ? QByteArray(" ") : ansi, DT_SINGLELINE).cy;
    }
}

} // namespace

void fillWith(HDC dc, const RECT& rect, OleColor colour) {
    const HBRUSH brush = CreateSolidBrush(resolveColour(colour));
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

void DrawItemImage(OwnerDrawMenu& control, HDC dc, const ImageRecord& image) {
    if (image.index < 1) {
        return;
    }
    const int index = image.index + ((image.flags & imageflag::Second) ? 1 : 0);
    const auto pixels = control.ImageList().GetIcon(index);
    if (!pixels) {
        return;
    }
    int x = image.rect.left + control.EdgeWidth;
    int y = image.rect.top + control.EdgeHeight;
    RECT frame = image.rect;
    if (image.flags & imageflag::Checker) {
        DrawCheckerPattern(dc, resolveColour(image.pattern), frame.left, frame.top,
                           frame.right - frame.left, frame.bottom - frame.top);
    }
    if ((image.flags & 0x70) == imageflag::Sunken) {
        DrawEdge(dc, &frame, BDR_SUNKENOUTER, BF_RECT);
        x += roundHalfEven(control.EdgeWidth / 2.0);
        y += roundHalfEven(control.EdgeHeight / 2.0);
    } else if ((image.flags & 0x70) == imageflag::Raised) {
        DrawEdge(dc, &frame, BDR_RAISEDINNER, BF_RECT);
    }
    drawIcon(dc, *pixels, x, y, image.flags & imageflag::ModeMask, image.tint);
}

void DrawItemText(OwnerDrawMenu& control, HDC dc, const TextRecord& record,
                  const clsMenuItem& item) {
    if (record.flags & 0x40) {
        fillWith(dc, record.rect, record.background);
    }
    SetTextColor(dc, resolveColour(record.colour));
    const int mode = record.flags & 0x0F;
    const UINT stateFlags = mode == 1 ? DSS_DISABLED : mode == 2 ? (DSS_UNION | DSS_DISABLED) : 0;
    const int x = record.rect.left + 2;
    if (const auto& picture = item.ItemIcon((record.flags & 0x100) ? 1 : 0)) {
        const int y = record.rect.top + (heightOf(record.rect) - picture->height) / 2;
        const int transform = mode == 4 || mode == 6 ? mode : 0;
        drawIcon(dc, *picture, x, y, transform, transform == 6 ? control.Highlight : record.colour,
                 stateFlags);
        if (record.flags & 0x80) {
            DrawCheckerPattern(dc, resolveColour(record.background), x, y, picture->width,
                               picture->height);
        }
    } else {
        drawCaption(control.ansiTexts(), dc, record.rect, item.CaptionDsp, stateFlags, x);
    }
    if (!item.ShortCutDsp.isEmpty()) {
        const QByteArray& ansi = control.ansiTexts().of(item.ShortCutDsp);
        const SIZE size = measure(dc, ansi, DT_SINGLELINE | DT_NOPREFIX);
        drawLine(dc, ansi, record.rect.right + 1 - size.cx - 18,
                 record.rect.top + (heightOf(record.rect) - size.cy) / 2, stateFlags, false);
    }
}

void DrawSeparator(OwnerDrawMenu& control, HDC dc, const RECT& rect, const clsMenuItem& item) {
    const int style = item.SeparatorStyle();
    if (style >= zxSS_PictLeft) {
        if (const auto& picture = item.ItemIcon(0)) {
            if (style == zxSS_PictStretch) {
                drawPixels(dc, *picture, rect.left, rect.top, rect.right - rect.left,
                           rect.bottom - rect.top);
                return;
            }
            for (int x : separatorPictureLefts(style, rect.left, rect.right, picture->width)) {
                drawPixels(dc, *picture, x, rect.top);
            }
        }
        return;
    }
    fillWith(dc, rect, control.MenuBar());
    const int top = style == zxSS_Normal
                        ? solidSeparatorTop(rect.top, rect.bottom, control.EdgeHeight)
                        : separatorLineTop(rect.top, rect.bottom, control.EdgeHeight);
    for (const Segment& piece : separatorSegments(style, rect.left, rect.right)) {
        RECT line{piece.left, top, std::min(piece.right, static_cast<int>(rect.right)),
                  top + control.EdgeHeight};
        DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
    }
}

} // namespace zephalt
