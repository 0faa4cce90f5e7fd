#include "menuctl/engine/StyleTable.h"
#include <array>

namespace zephalt {

namespace {

using C = Colour;
constexpr Match A = Match::Any;
constexpr Match Y = Match::Yes;
constexpr Match N = Match::No;

ImageRule mode(int m) {
    ImageRule rule;
    rule.mode = m;
    return rule;
}

ImageRule tinted(C tint, int m) {
    ImageRule rule = mode(m);
    rule.tint = tint;
    return rule;
}

ImageRule added(int flags) {
    ImageRule rule;
    rule.addFlags = flags;
    return rule;
}

ImageRule none() {
    ImageRule rule;
    rule.none = true;
    return rule;
}

ImageRule patterned(bool checker, int flags = 0) {
    ImageRule rule;
    rule.pattern = C::HighlightText;
    rule.checkerIfSunken = checker;
    rule.addFlags = flags;
    return rule;
}

ImageRule raised() {
    ImageRule rule;
    rule.raisedUnlessSunken = true;
    return rule;
}

ImageRule listViewImage() {
    ImageRule rule;
    rule.tint = C::Highlight;
    rule.blendIfHostImage = true;
    return rule;
}

TextRule text(C colour, int flags = 0, C background = C::Keep) {
    return TextRule{background, colour, flags};
}

// clang-format off
const std::array Rows = {
    // style, selected, disabled, image, plan, background, frame, on text, from text if sunken, image, text
    StyleRow{0, Y, Y, A, "BI",  C::Highlight, 0, false, false, tinted(C::GreyText, 2), text(C::GreyText)},
    StyleRow{0, Y, N, A, "BI",  C::Highlight, 0, false, false, mode(4), text(C::HighlightText, 4)},
    StyleRow{0, N, Y, A, "BI",  C::MenuBar,   0, false, false, mode(1), text(C::MenuText, 1)},
    StyleRow{0, N, N, A, "BI",  C::MenuBar,   0, false, false, {}, text(C::MenuText)},

    StyleRow{1, Y, Y, A, "BI",  C::Highlight, 0, false, false, tinted(C::GreyText, 2), text(C::GreyText)},
    StyleRow{1, Y, N, A, "BI",  C::Highlight, 0, false, false, {}, text(C::HighlightText)},
    StyleRow{1, N, Y, A, "BI",  C::MenuBar,   0, false, false, mode(1), text(C::MenuText, 1)},
    StyleRow{1, N, N, A, "BI",  C::MenuBar,   0, false, false, {}, text(C::MenuText)},

    StyleRow{2, A, Y, A, "BI",  C::MenuBar,   0, false, false, mode(1), text(C::MenuText, 1)},
    StyleRow{2, Y, N, N, "BI",  C::Highlight, 0, false, false, none(), text(C::HighlightText, 0x80, C::Highlight)},
    StyleRow{2, Y, N, Y, "BI",  C::MenuBar,   0, false, false, raised(), text(C::HighlightText, 0x40, C::Highlight)},
    StyleRow{2, N, N, A, "BI",  C::MenuBar,   0, false, false, patterned(true), text(C::MenuText)},

    StyleRow{3, A, Y, A, "BI",  C::MenuBar,   0, false, false, mode(1), text(C::MenuText, 1)},
    StyleRow{3, Y, N, A, "BCI", C::MenuBar,   2, false, true,  patterned(false), text(C::MenuText)},
    StyleRow{3, N, N, A, "BI",  C::MenuBar,   0, false, false, patterned(true, 0x100), text(C::MenuText, 0x100)},

    StyleRow{4, Y, Y, A, "BI",  C::MenuBar,   0, false, false, mode(1), text(C::MenuText, 1)},
    StyleRow{4, Y, N, A, "BI",  C::MenuBar,   0, false, false, {}, text(C::HotSelectText)},
    StyleRow{4, N, Y, A, "BI",  C::MenuBar,   0, false, false, added(0x101), text(C::MenuText, 0x101)},
    StyleRow{4, N, N, A, "BI",  C::MenuBar,   0, false, false, added(0x100), text(C::MenuText, 0x100)},

    StyleRow{5, A, Y, A, "BI",  C::MenuBar,   0, false, false, mode(1), text(C::MenuText, 1)},
    StyleRow{5, Y, N, N, "BIC", C::Highlight, 3, false, false, none(), text(C::HighlightText, 6)},
    StyleRow{5, Y, N, Y, "BIC", C::MenuBar,   3, true,  false, listViewImage(), text(C::HighlightText, 0x46, C::Highlight)},
    StyleRow{5, N, N, A, "BI",  C::MenuBar,   0, false, false, {}, text(C::MenuText)},
};
// clang-format on

bool matches(Match match, bool value) {
    return match == Match::Any || (match == Match::Yes) == value;
}

} // namespace

const StyleRow& styleRow(int style, bool selected, bool disabled, bool hasImage) {
    const int known = style >= zxCS_Normal && style <= zxCS_ListView ? style : zxCS_Normal;
    for (const StyleRow& row : Rows) {
        if (row.style == known && matches(row.selected, selected) &&
            matches(row.disabled, disabled) && matches(row.hasImage, hasImage)) {
            return row;
        }
    }
    return Rows.back(); // not reached: every state of every style has a row
}

bool builtInRuleApplies(int style) {
    return style == zxCS_Normal || style == zxCS_StartMenu || style == zxCS_ListView;
}

} // namespace zephalt
