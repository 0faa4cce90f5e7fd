// The drawing plan of an item in each style and state, with the expected
// records written out from the styles' table by hand.
#include "menuctl/engine/ItemPlan.h"
#include "platform/win/Menus.h"
#include "platform/win/Messages.h"
#include <gtest/gtest.h>

using namespace zephalt;
using namespace platform::win;

namespace {

constexpr OleColor MenuBar = SystemColour(4), MenuText = SystemColour(7),
                   Highlight = SystemColour(13), HighlightText = SystemColour(14),
                   GreyText = SystemColour(17), Hot = 0x0000FF;

ItemFacts hostItem(unsigned state, int unchecked = 21) {
    ItemFacts item;
    item.rcItem = {3, 3, 103, 27};
    item.itemState = state;
    item.uncheckedIndex = unchecked;
    return item;
}

PlanSettings style(int cursorStyle) {
    PlanSettings s;
    s.cursorStyle = cursorStyle;
    s.hotSelectText = Hot;
    return s;
}

struct Expected {
    int style;
    unsigned state;
    int image; // unchecked index of the item
    const char* plan;
    OleColor background;
    int cursorFrame;
    int imageIndex;
    int imageFlags;
    OleColor textColour;
    int textFlags;
};

constexpr unsigned Sel = ODS_SELECTED, Dis = ODS_GRAYED | ODS_DISABLED;

} // namespace

TEST(ItemPlan, EveryStyleForSelectedDisabledAndNormalItems) {
    const Expected rows[] = {
        {0, Sel | Dis, 21, "BI", Highlight, 0, 21, 2, GreyText, 0},
        {0, Sel, 21, "BI", Highlight, 0, 21, 4, HighlightText, 4},
        {0, Dis, 21, "BI", MenuBar, 0, 21, 1, MenuText, 1},
        {0, 0, 21, "BI", MenuBar, 0, 21, 0, MenuText, 0},
        {1, Sel | Dis, 21, "BI", Highlight, 0, 21, 2, GreyText, 0},
        {1, Sel, 21, "BI", Highlight, 0, 21, 0, HighlightText, 0},
        {1, Dis, 21, "BI", MenuBar, 0, 21, 1, MenuText, 1},
        {2, Sel, 0, "BI", Highlight, 0, 0, 0, HighlightText, 0x80},
        {2, Sel, 21, "BI", MenuBar, 0, 21, 0x20, HighlightText, 0x40},
        {2, Sel | Dis, 21, "BI", MenuBar, 0, 21, 1, MenuText, 1},
        {2, 0, 21, "BI", MenuBar, 0, 21, 0, MenuText, 0},
        {3, Sel, 21, "BCI", MenuBar, 2, 21, 0, MenuText, 0},
        {3, 0, 21, "BI", MenuBar, 0, 21, 0x100, MenuText, 0x100},
        {3, Dis, 21, "BI", MenuBar, 0, 21, 1, MenuText, 1},
        {4, Sel, 21, "BI", MenuBar, 0, 21, 0, Hot, 0},
        {4, Sel | Dis, 21, "BI", MenuBar, 0, 21, 1, MenuText, 1},
        {4, Dis, 21, "BI", MenuBar, 0, 21, 0x101, MenuText, 0x101},
        {4, 0, 21, "BI", MenuBar, 0, 21, 0x100, MenuText, 0x100},
        {5, Sel, 0, "BIC", Highlight, 3, 0, 0, HighlightText, 6},
        {5, Sel, 21, "BIC", MenuBar, 3, 21, 6, HighlightText, 0x46},
        {5, Dis, 21, "BI", MenuBar, 0, 21, 1, MenuText, 1},
        {5, 0, 21, "BI", MenuBar, 0, 21, 0, MenuText, 0},
        {7, Sel, 21, "BI", Highlight, 0, 21, 4, HighlightText, 4}, // unknown style: normal
    };
    for (const Expected& e : rows) {
        const ItemPlan plan = planItem(hostItem(e.state, e.image), style(e.style));
        SCOPED_TRACE(testing::Message() << "style " << e.style << " state " << e.state);
        EXPECT_EQ(plan.plan, QString::fromLatin1(e.plan));
        EXPECT_EQ(plan.cursor.background, e.background);
        EXPECT_EQ(plan.cursor.frame, e.cursorFrame);
        EXPECT_EQ(plan.image.index, e.imageIndex);
        EXPECT_EQ(plan.image.flags, e.imageFlags);
        EXPECT_EQ(plan.text.colour, e.textColour);
        EXPECT_EQ(plan.text.flags, e.textFlags);
    }
    // Pattern and tint colours of the styles that use them.
    EXPECT_EQ(planItem(hostItem(0), style(2)).image.pattern, HighlightText);
    EXPECT_EQ(planItem(hostItem(Sel | Dis), style(0)).image.tint, GreyText);
    EXPECT_EQ(planItem(hostItem(Sel), style(5)).image.tint, Highlight);
    EXPECT_EQ(planItem(hostItem(Sel), style(5)).text.background, Highlight);
}

TEST(ItemPlan, RectanglesOfTheCheckColumnTextAndCursor) {
    const ItemPlan plan = planItem(hostItem(0), style(0));
    // Image: 16 + 2 × 2 wide, 20 high, centred in the 24-pixel item.
    EXPECT_EQ(plan.image.rect.left, 3);
    EXPECT_EQ(plan.image.rect.right, 23);
    EXPECT_EQ(plan.image.rect.top, 5);
    EXPECT_EQ(plan.image.rect.bottom, 25);
    EXPECT_EQ(plan.text.rect.left, 25);
    EXPECT_EQ(plan.text.rect.right, 103);
    // List view with an image: the focus frame goes round the text only.
    EXPECT_EQ(planItem(hostItem(Sel), style(5)).cursor.rect.left, 25);
    // Cool bar, a checked item shown by its unchecked picture: the raised
    // cursor starts at the text.
    ItemFacts pressed = hostItem(Sel | ODS_CHECKED);
    const ItemPlan cool = planItem(pressed, style(3));
    EXPECT_EQ(cool.cursor.rect.left, 25);
    EXPECT_EQ(cool.image.flags, 0x10);
    EXPECT_EQ(planItem(hostItem(0 | ODS_CHECKED), style(2)).image.flags, 0x90); // checker added
}

TEST(ItemPlan, CheckedItemsAndTheBuiltInGlyphs) {
    ItemFacts item = hostItem(ODS_CHECKED, 0);
    EXPECT_EQ(chooseImage(item, style(0)).index, 9); // the standard check mark
    item.fType = MFT_RADIOCHECK;
    EXPECT_EQ(chooseImage(item, style(0)).index, 15); // the bullet
    item.fType = 0;
    item.checkedIndex = 23;
    EXPECT_EQ(chooseImage(item, style(0)).index, 23);
    EXPECT_EQ(chooseImage(item, style(0)).flags, 0);
    // Built-in glyphs keep only their mode in styles 0, 1 and 5, not in 4.
    ItemFacts mark = hostItem(ODS_CHECKED, 0);
    EXPECT_EQ(planItem(mark, style(0)).image.flags, 0);
    EXPECT_EQ(planItem(mark, style(4)).image.flags, 0x110);
    // List view: group items show boxes, checked or empty.
    ItemFacts boxed = hostItem(0, 0);
    boxed.group = zxGS_Check;
    EXPECT_EQ(chooseImage(boxed, style(5)).index, 11);
    boxed.itemState = ODS_CHECKED;
    EXPECT_EQ(chooseImage(boxed, style(5)).index, 13);
    boxed.group = zxGS_Radio;
    EXPECT_EQ(chooseImage(boxed, style(5)).index, 19);
    EXPECT_EQ(chooseImage(boxed, style(0)).index, 15); // other styles: the bullet itself
}
