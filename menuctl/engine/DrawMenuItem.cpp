// Drawing an item: the item and its title bar are resolved, the style's plan
// is made (ItemPlan) and carried out letter by letter through the drawing
// layer: B fills the background, I draws the check-column image and the text,
// C draws the cursor frame. Separators are etched lines.
#include "menuctl/engine/BarLayout.h"
#include "menuctl/engine/IconHandles.h"
#include "menuctl/engine/ItemPlan.h"
#include "menuctl/engine/LogFont.h"
#include "menuctl/engine/MenuConversion.h"
#include "menuctl/engine/OwnerDrawMenu.h"
#include "menuctl/engine/PixelRules.h"
#include "menuctl/engine/SystemValues.h"
#include "platform/gdi/Gdi.h"
#include "platform/text/Codepage.h"
#include "platform/win/Menus.h"

namespace zephalt {

using namespace platform::gdi;
using platform::win::DRAWITEMSTRUCT;
using platform::win::WPARAM;

namespace {

void fill(HDC dc, const RECT& rect, OleColor colour) {
    const HBRUSH brush = CreateSolidBrush(resolveColour(colour));
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

// An icon drawn with DrawStateA in one of the image modes; modes 4 to 6 draw
// a transformed copy.
void drawIcon(HDC dc, const IconPixels& pixels, int x, int y, int mode, OleColor tint) {
    IconPixels shown = pixels;
    UINT flags = DST_ICON;
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
    const HBRUSH brush = mode == 2 ? CreateSolidBrush(resolveColour(tint)) : 0;
    DrawStateA(dc, brush, nullptr, static_cast<platform::win::LPARAM>(icon), 0, x, y, 0, 0, flags);
    if (brush != 0) {
        DeleteObject(brush);
    }
    DestroyIcon(icon);
}

void drawItemImage(OwnerDrawMenu& control, HDC dc, const ImageRecord& image) {
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
    if ((image.flags & 0x70) == imageflag::Sunken) {
        DrawEdge(dc, &frame, BDR_SUNKENOUTER, BF_RECT);
        x += roundHalfEven(control.EdgeWidth / 2.0);
        y += roundHalfEven(control.EdgeHeight / 2.0);
    } else if ((image.flags & 0x70) == imageflag::Raised) {
        DrawEdge(dc, &frame, BDR_RAISEDINNER, BF_RECT);
    }
    drawIcon(dc, *pixels, x, y, image.flags & imageflag::ModeMask, image.tint);
}

void drawText(HDC dc, const RECT& rect, const QString& text, UINT stateFlags, bool prefix, int x) {
    const QByteArray ansi = platform::text::encodeCp932(text);
    RECT measured;
    DrawTextA(dc, ansi.constData(), static_cast<int>(ansi.size()), &measured,
              DT_CALCRECT | DT_SINGLELINE);
    const int height = rect.bottom - rect.top + 1;
    const int y = rect.top + (height - (measured.bottom - measured.top)) / 2;
    DrawStateA(dc, 0, nullptr, reinterpret_cast<platform::win::LPARAM>(ansi.constData()),
               static_cast<WPARAM>(ansi.size()), x, y, 0, 0,
               (prefix ? DST_PREFIXTEXT : DST_TEXT) | stateFlags);
}

void drawItemText(OwnerDrawMenu& control, HDC dc, const TextRecord& record,
                  const clsMenuItem& item) {
    if (record.flags & 0x40) {
        fill(dc, record.rect, record.background);
    }
    SetTextColor(dc, resolveColour(record.colour));
    const int mode = record.flags & 0x0F;
    const UINT stateFlags = mode == 1 ? DSS_DISABLED : mode == 2 ? (DSS_UNION | DSS_DISABLED) : 0;
    const int x = record.rect.left + 2;
    if (const auto& picture = item.ItemIcon((record.flags & 0x100) ? 1 : 0)) {
        const int height = record.rect.bottom - record.rect.top + 1;
        drawIcon(dc, *picture, x, record.rect.top + (height - picture->height) / 2,
                 mode == 4 || mode == 6 ? mode : 0, control.Highlight);
    } else {
        // Lines between CR LF, the block centred as a whole.
        const QStringList lines = item.CaptionDsp.split(QStringLiteral("\r\n"));
        if (lines.size() == 1) {
            drawText(dc, record.rect, item.CaptionDsp, stateFlags, true, x);
        } else {
            RECT lineRect = record.rect;
            const int lineHeight = (record.rect.bottom - record.rect.top) / int(lines.size());
            for (const QString& line : lines) {
                lineRect.bottom = lineRect.top + lineHeight;
                drawText(dc, lineRect, line, stateFlags, true, x);
                lineRect.top += lineHeight;
            }
        }
    }
    if (!item.ShortCutDsp.isEmpty()) {
        const QByteArray ansi = platform::text::encodeCp932(item.ShortCutDsp);
        SIZE size;
        GetTextExtentPoint32A(dc, ansi.constData(), static_cast<int>(ansi.size()), &size);
        drawText(dc, record.rect, item.ShortCutDsp, stateFlags, false,
                 record.rect.right + 1 - size.cx - 18);
    }
}

void drawSeparator(OwnerDrawMenu& control, HDC dc, const RECT& rect, const clsMenuItem& item) {
    const int style = item.SeparatorStyle();
    if (style >= zxSS_PictLeft) {
        if (const auto& picture = item.ItemIcon(0)) {
            for (int x : separatorPictureLefts(style, rect.left, rect.right, picture->width)) {
                drawIcon(dc, *picture, x, rect.top, 0, 0);
            }
        }
        return;
    }
    fill(dc, rect, control.MenuBar());
    const int top = style == zxSS_Normal
                        ? solidSeparatorTop(rect.top, rect.bottom, control.EdgeHeight)
                        : separatorLineTop(rect.top, rect.bottom, control.EdgeHeight);
    for (const Segment& piece : separatorSegments(style, rect.left, rect.right)) {
        RECT line{piece.left, top, std::min(piece.right, static_cast<int>(rect.right)),
                  top + control.EdgeHeight};
        DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
    }
}

} // namespace

void DrawMenuItem(OwnerDrawMenu& control, WPARAM /*wParam*/, const DRAWITEMSTRUCT& record) {
    clsMenuItem* item = control.MenuItems().byItemData(record.itemData);
    if (item == nullptr || item->TitleBarIndex == 0) {
        return;
    }
    // An item whose title bar was removed is drawn without a bar rather
    // than through an index past the list.
    clsTitlebar* bar = control.TitleBars().ItemEx(item->TitleBarIndex);
    RECT rc = record.rcItem;
    if (bar != nullptr) {
        bar->Draw = false; // the bar image itself is not rendered yet
        if (bar->BackStyle() != zxBG_Hide && item->TitleBarFlag) {
            rc.left += bar->Width();
        }
    }
    const HDC dc = record.hDC;
    const int previousMode = SetBkMode(dc, TRANSPARENT);
    if (item->CaptionDsp == QStringLiteral("-")) {
        drawSeparator(control, dc, rc, *item);
        SetBkMode(dc, previousMode);
        return;
    }
    ItemFacts facts;
    facts.rcItem = rc;
    facts.itemState = record.itemState;
    platform::win::MENUITEMINFOA info;
    info.fMask = platform::win::MIIM_TYPE;
    platform::win::GetMenuItemInfoA(static_cast<platform::win::HMENU>(record.hwndItem),
                                    record.itemID, platform::win::FALSE, &info);
    facts.fType = info.fType;
    facts.checkedIndex = item->CheckedIndex;
    facts.uncheckedIndex = item->UnCheckedIndex;
    facts.group = item->Group;
    PlanSettings settings;
    settings.cursorStyle = bar ? bar->CursorStyle : control.CursorStyle();
    settings.imageWidth = control.ImageWidth();
    settings.imageHeight = control.ImageHeight();
    settings.edgeWidth = control.EdgeWidth;
    settings.edgeHeight = control.EdgeHeight;
    settings.standardCheck = control.StandardCheckIndex;
    settings.standardRadio = control.StandardRadioIndex;
    settings.standardCount = control.StandardImageCount;
    settings.menuBar = bar ? bar->MenuBar : control.MenuBar();
    settings.menuText = control.MenuText;
    settings.highlight = control.Highlight;
    settings.highlightText = control.HighlightText;
    settings.hotSelectText = bar ? bar->HotSelectText : control.HotSelectText();
    const ItemPlan plan = planItem(facts, settings);

    platform::forms::FontObject font = control.Font();
    font.italic = item->Italic();
    font.underline = item->UnderLine();
    if (item->Bold() || (record.itemState & platform::win::ODS_DEFAULT)) {
        font.weight = 700;
    }
    const LOGFONTA logFont = MakeLogFont(font);
    const HFONT made = CreateFontIndirectA(&logFont);
    const HGDIOBJ previousFont = SelectObject(dc, made);
    for (QChar letter : plan.plan) {
        if (letter == u'B') {
            fill(dc, plan.cursor.rect, plan.cursor.background);
        } else if (letter == u'I') {
            drawItemImage(control, dc, plan.image);
            drawItemText(control, dc, plan.text, *item);
        } else if (letter == u'C') {
            RECT frame = plan.cursor.rect;
            if (plan.cursor.frame == 1) {
                DrawEdge(dc, &frame, BDR_SUNKENOUTER, BF_RECT);
            } else if (plan.cursor.frame == 2) {
                DrawEdge(dc, &frame, BDR_RAISEDINNER, BF_RECT);
            } else if (plan.cursor.frame == 3) {
                DrawFocusRect(dc, &frame);
            }
        } else {
            break;
        }
    }
    SelectObject(dc, previousFont);
    DeleteObject(made);
    SetBkMode(dc, previousMode);
}

} // namespace zephalt
