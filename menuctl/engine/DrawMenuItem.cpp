// Drawing an item: the popup's title bar with its first item, then the item
// itself on an off-screen copy of its rectangle, copied back once so that
// the background under it stays and nothing flickers. The item's style plan
// (ItemPlan) is carried out letter by letter: B fills the background, I
// draws the check-column image and the text, C draws the cursor frame.
#include "menuctl/engine/DrawItemParts.h"
#include "menuctl/engine/ItemPlan.h"
#include "menuctl/engine/LogFont.h"
#include "menuctl/engine/MenuConversion.h"
#include "menuctl/engine/OwnerDrawMenu.h"
#include "menuctl/engine/SystemValues.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Menus.h"
#include <algorithm>

namespace zephalt {

using namespace platform::gdi;
using platform::win::DRAWITEMSTRUCT;
using platform::win::WPARAM;

namespace {

// With the popup's first drawn item: the background down the bar's height,
// the bar rendered if a setting changed, and its picture at the left edge.
void drawTitleBar(OwnerDrawMenu& control, clsTitlebar& bar, HDC dc) {
    if (!bar.Draw) {
        return;
    }
    bar.CalcHeight();
    const int count = platform::win::GetMenuItemCount(bar.MenuHandle);
    RECT last{0, 0, 0, 0};
    if (count > 0) {
        platform::win::GetMenuItemRect(control.hostWindow(), bar.MenuHandle,
                                       static_cast<platform::win::UINT>(count - 1), &last);
    }
    fillWith(dc, RECT{0, 0, last.right, bar.Height}, bar.MenuBar);
    if (bar.BackStyle() != zxBG_Hide) {
        bar.MakeBar();
        BitBlt(dc, 0, 0, bar.Width(), bar.Height, bar.hDC(), 0, 0, SRCCOPY);
    }
    bar.Draw = false;
}

void DrawItemContent(OwnerDrawMenu& control, clsMenuItem& item, clsTitlebar* bar,
                     const DRAWITEMSTRUCT& record, const RECT& rc, HDC dc) {
    const int previousMode = SetBkMode(dc, TRANSPARENT);
    ItemFacts facts;
    facts.rcItem = rc;
    facts.itemState = record.itemState;
    platform::win::MENUITEMINFOA info;
    info.fMask = platform::win::MIIM_TYPE;
    platform::win::GetMenuItemInfoA(static_cast<platform::win::HMENU>(record.hwndItem),
                                    record.itemID, platform::win::FALSE, &info);
    facts.fType = info.fType;
    facts.checkedIndex = item.CheckedIndex;
    facts.uncheckedIndex = item.UnCheckedIndex;
    facts.group = item.Group;
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
    font.italic = item.Italic();
    font.underline = item.UnderLine();
    if (item.Bold() || (record.itemState & platform::win::ODS_DEFAULT)) {
        font.weight = 700;
    }
    const LOGFONTA logFont = MakeLogFont(font);
    const HFONT made = CreateFontIndirectA(&logFont);
    const HGDIOBJ previousFont = SelectObject(dc, made);
    for (QChar letter : plan.plan) {
        if (letter == u'B') {
            fillWith(dc, plan.cursor.rect, plan.cursor.background);
        } else if (letter == u'I') {
            DrawItemImage(control, dc, plan.image);
            DrawItemText(control, dc, plan.text, item);
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
        drawTitleBar(control, *bar, record.hDC);
        if (bar->BackStyle() != zxBG_Hide && item->TitleBarFlag) {
            rc.left += bar->Width();
        }
    }

    const HDC screen = record.hDC;
    const int width = rc.right - rc.left;
    const int height = rc.bottom - rc.top;
    const HDC memory = CreateCompatibleDC(screen);
    // A buffer of the item's own size, its origin moved so that the item is
    // drawn at the same coordinates as on the popup.
    const HBITMAP bits = CreateCompatibleBitmap(screen, std::max(width, 1), std::max(height, 1));
    if (memory == 0 || bits == 0) {
        // Without a buffer the item is drawn straight onto the popup.
        DeleteDC(memory);
        DeleteObject(bits);
        if (item->CaptionDsp == QStringLiteral("-")) {
            DrawSeparator(control, screen, rc, *item);
        } else {
            DrawItemContent(control, *item, bar, record, rc, screen);
        }
        return;
    }
    const HGDIOBJ previousBits = SelectObject(memory, bits);
    SetViewportOrgEx(memory, -rc.left, -rc.top, nullptr);
    BitBlt(memory, rc.left, rc.top, width, height, screen, rc.left, rc.top, SRCCOPY);
    if (item->CaptionDsp == QStringLiteral("-")) {
        DrawSeparator(control, memory, rc, *item);
    } else {
        DrawItemContent(control, *item, bar, record, rc, memory);
    }
    BitBlt(screen, rc.left, rc.top, width, height, memory, rc.left, rc.top, SRCCOPY);
    SelectObject(memory, previousBits);
    DeleteObject(bits);
    DeleteDC(memory);
}

} // namespace zephalt
