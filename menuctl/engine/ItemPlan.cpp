#include "menuctl/engine/ItemPlan.h"
#include "menuctl/engine/StyleTable.h"
#include "platform/win/Menus.h"
#include "platform/win/Messages.h"

namespace zephalt {

using namespace platform::win;

namespace {

constexpr OleColor GreyTextColour = SystemColour(17);

OleColor colourOf(Colour colour, const PlanSettings& s, OleColor kept) {
    switch (colour) {
    case Colour::MenuBar:
        return s.menuBar;
    case Colour::MenuText:
        return s.menuText;
    case Colour::Highlight:
        return s.highlight;
    case Colour::HighlightText:
        return s.highlightText;
    case Colour::GreyText:
        return GreyTextColour;
    case Colour::HotSelectText:
        return s.hotSelectText;
    case Colour::Keep:
        break;
    }
    return kept;
}

} // namespace

ImageChoice chooseImage(const ItemFacts& item, const PlanSettings& s) {
    ImageChoice choice;
    if (item.itemState & ODS_CHECKED) {
        choice.index = item.checkedIndex;
        if (choice.index == 0) {
            // The unchecked picture shown pressed in, else the standard mark.
            choice.flags = imageflag::Sunken;
            choice.index = item.uncheckedIndex;
            if (choice.index == 0) {
                const bool radio = item.group == zxGS_Radio || (item.fType & MFT_RADIOCHECK);
                choice.index = radio ? s.standardRadio : s.standardCheck;
            }
        }
    } else {
        choice.index = item.uncheckedIndex;
    }
    if (s.cursorStyle == zxCS_ListView && (item.group == zxGS_Check || item.group == zxGS_Radio)) {
        // List view style shows check boxes and radio buttons for groups.
        const int glyph = item.group == zxGS_Check ? s.standardCheck : s.standardRadio;
        if (choice.index == glyph) {
            choice.index = glyph + 4;
        } else if (choice.index < 1) {
            choice.index = glyph + 2;
        }
    }
    return choice;
}

ItemPlan planItem(const ItemFacts& item, const PlanSettings& s) {
    ItemPlan plan;
    const RECT& rc = item.rcItem;
    plan.cursor.rect = rc;
    RECT& image = plan.image.rect;
    image.left = rc.left;
    image.right = rc.left + s.imageWidth + 2 * s.edgeWidth;
    const int box = s.imageHeight + 2 * s.edgeHeight;
    image.top = rc.top + (rc.bottom - rc.top - box) / 2;
    image.bottom = image.top + box;
    plan.text.rect = rc;
    plan.text.rect.left = image.right + s.edgeWidth;

    const ImageChoice choice = chooseImage(item, s);
    plan.image.index = choice.index;
    int flags = choice.flags;
    const bool selected = item.itemState & ODS_SELECTED;
    const bool disabled = item.itemState & (ODS_GRAYED | ODS_DISABLED);
    const StyleRow& row = styleRow(s.cursorStyle, selected, disabled, choice.index >= 1);

    plan.plan = QString::fromLatin1(row.plan);
    plan.cursor.background = colourOf(row.background, s, s.menuBar);
    plan.cursor.frame = row.cursorFrame;
    if (row.cursorOnText) {
        plan.cursor.rect = plan.text.rect;
    }
    if (row.cursorFromTextIfSunken && (flags & imageflag::Sunken)) {
        plan.cursor.rect.left = plan.text.rect.left;
    }

    const ImageRule& rule = row.image;
    plan.image.pattern = colourOf(rule.pattern, s, 0);
    plan.image.tint = colourOf(rule.tint, s, 0);
    if (rule.none) {
        plan.image.index = 0;
    }
    if (rule.mode >= 0) {
        flags = (flags & ~imageflag::ModeMask) | rule.mode;
    }
    if (rule.raisedUnlessSunken && !(flags & imageflag::Sunken)) {
        flags |= imageflag::Raised;
    }
    if (rule.checkerIfSunken && (flags & imageflag::Sunken)) {
        flags |= imageflag::Checker;
    }
    flags |= rule.addFlags;
    if (rule.blendIfHostImage && plan.image.index >= s.standardCount) {
        flags = (flags & ~imageflag::ModeMask) | 6;
    }
    if (builtInRuleApplies(s.cursorStyle) && plan.image.index <= s.standardCount) {
        flags &= imageflag::ModeMask; // the built-in glyphs get no frame and no grey copy
    }
    plan.image.flags = flags;

    plan.text.background = colourOf(row.text.background, s, plan.cursor.background);
    plan.text.colour = colourOf(row.text.colour, s, s.menuText);
    plan.text.flags = row.text.flags;
    return plan;
}

} // namespace zephalt
