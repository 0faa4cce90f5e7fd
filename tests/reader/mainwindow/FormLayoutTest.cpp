#include "reader/mainwindow/FormLayout.h"

#include <gtest/gtest.h>

using quillet::FormLayout;
using quillet::TwipsRect;

namespace {

// Every rectangle the layout keeps, to compare whole layouts.
std::vector<TwipsRect> placesOf(const FormLayout& l) {
    return {l.tlb1, l.tlb2,    l.stb1, l.fFrame, l.tlb3,   l.tvw1,      l.lvw1,
            l.Tab1, l.browser, l.vSep, l.dvSep,  l.comURL, l.txtSearch, l.cmdSearch};
}

FormLayout laidOut(int width = 15000, int height = 10500) {
    FormLayout layout;
    layout.resize(width, height);
    layout.arrangeSplitters();
    return layout;
}

} // namespace

TEST(FormLayout, ResizeFollowsTheWindowInTwips) {
    FormLayout layout = laidOut(15000, 10500);
    const int bars = 420 + 420 + 300;
    EXPECT_EQ(layout.fFrame.height, 10500 - 200 - bars);
    EXPECT_EQ(layout.tvw1.height, layout.fFrame.height - 500);
    EXPECT_EQ(layout.lvw1.width, 15000 - layout.tvw1.width - 250);
    EXPECT_EQ(layout.Tab1.height, 10500 - layout.lvw1.height - 200 - bars);
    EXPECT_EQ(layout.Tab1.width, layout.lvw1.width);
    EXPECT_EQ(layout.browser, (TwipsRect{layout.Tab1.left + 50, layout.Tab1.top + 50,
                                         layout.Tab1.width - 100, layout.Tab1.height - 400}));
    EXPECT_EQ(layout.comURL.right() + 10, layout.cmdGo.left);
    EXPECT_EQ(layout.comURL.width, 15000 - layout.comURL.left - 400);
    EXPECT_EQ(layout.cmdSearch.left, layout.comEngine.right() + 50);
    EXPECT_EQ(layout.txtSearch.right(), 15000 - 2500);
    EXPECT_EQ(layout.cmdSearch.right(), 15000);
    EXPECT_EQ(layout.vSep.left, layout.fFrame.right() + 20);
}

TEST(FormLayout, FontSizedControlsMoveTheRestAndTheMinimumSizeKeepsEveryControl) {
    FormLayout layout = laidOut(15000, 10500);
    layout.setEngineBoxWidth(2400);
    layout.setStatusHeight(390);
    EXPECT_EQ(layout.comEngine.width, 2400);
    EXPECT_EQ(layout.cmdSearch.left, layout.comEngine.right() + 50);
    EXPECT_EQ(layout.cmdSearch.right(), 15000);
    EXPECT_EQ(layout.stb1, (TwipsRect{0, 10500 - 390, 15000, 390}));
    EXPECT_EQ(layout.fFrame.height, 10500 - 200 - (420 + 420 + 390));

    // At the minimum every control has room of its own; the window cannot go
    // below it, whatever the splitters and bars say.
    layout.hSepDown(5000);
    layout.hSepMove(5600);
    layout.hSepUp();
    layout.toggleSearchBar();
    const TwipsRect least = layout.minimumInnerSize();
    layout.resize(least.width, least.height);
    for (const TwipsRect& place : {layout.comURL, layout.txtSearch, layout.lvw1, layout.tvw1}) {
        EXPECT_GE(place.width, FormLayout::MinimumPaneTwips);
        EXPECT_GE(place.height, 300);
    }
    EXPECT_GE(layout.browser.height, FormLayout::MinimumPaneTwips);
    EXPECT_GE(layout.browser.width, FormLayout::MinimumPaneTwips - 100);
    EXPECT_LE(layout.cmdSearch.right(), least.width);
    EXPECT_LE(layout.cmdGo.right(), least.width);
}

TEST(FormLayout, HidingAndShowingABarReturnsEveryControl) {
    for (auto toggle : {&FormLayout::toggleStandardBar, &FormLayout::toggleSearchBar,
                        &FormLayout::toggleStatusBar}) {
        FormLayout layout = laidOut();
        const auto before = placesOf(layout);
        const int listTop = layout.lvw1.top;
        (layout.*toggle)();
        EXPECT_NE(placesOf(layout), before);
        if (toggle != &FormLayout::toggleStatusBar) {
            EXPECT_EQ(layout.lvw1.top, listTop - 420);
        }
        (layout.*toggle)();
        EXPECT_EQ(placesOf(layout), before);
    }

    // With every bar hidden the left pane takes the height less 200.
    FormLayout layout = laidOut(15000, 10500);
    layout.toggleStandardBar();
    layout.toggleSearchBar();
    layout.toggleStatusBar();
    layout.resize(15000, 10500);
    EXPECT_EQ(layout.fFrame.height, 10500 - 200);
    EXPECT_EQ(layout.fFrame.top, 0);
}

TEST(FormLayout, SplittersMovePanesAndStopAtAUsableSize) {
    FormLayout layout = laidOut();
    const int listHeight = layout.lvw1.height;
    layout.hSepDown(5000);
    EXPECT_TRUE(layout.dhSepVisible);
    layout.hSepMove(5600);
    EXPECT_EQ(layout.lvw1.height, listHeight + 600);
    EXPECT_EQ(layout.Tab1.top, layout.lvw1.bottom() + 130);
    EXPECT_EQ(layout.Tab1.bottom(), layout.stb1.top);
    layout.hSepUp();
    EXPECT_EQ(layout.hSep.top, layout.lvw1.bottom() + 30);
    EXPECT_FALSE(layout.dhSepVisible);

    // A drag far past either end leaves both panes usable.
    layout.hSepDown(0);
    layout.hSepMove(-100000);
    EXPECT_EQ(layout.lvw1.height, FormLayout::MinimumPaneTwips);
    layout.hSepMove(100000);
    EXPECT_EQ(layout.Tab1.height, FormLayout::MinimumPaneTwips);
    layout.hSepUp();

    // With the status bar hidden the tabs reach the window's bottom edge.
    layout.toggleStatusBar();
    layout.hSepDown(0);
    layout.hSepMove(-300);
    EXPECT_EQ(layout.Tab1.bottom(), layout.innerHeight());
    layout.hSepUp();

    // The vertical splitter widens the tree as much as it narrows the list and tabs.
    FormLayout wide = laidOut();
    const int tree = wide.tvw1.width;
    const int list = wide.lvw1.width;
    wide.vSepDown(3000);
    wide.vSepMove(3900);
    EXPECT_EQ(wide.tvw1.width, tree + 900);
    EXPECT_EQ(wide.lvw1.width, list - 900);
    EXPECT_EQ(wide.Tab1.width, wide.lvw1.width);
    EXPECT_EQ(wide.lvw1.left, wide.dvSep.left + 100);
    EXPECT_EQ(wide.hSep.left, wide.lvw1.left);
    EXPECT_EQ(wide.hSep.width, wide.lvw1.width);
    wide.vSepMove(-100000);
    EXPECT_EQ(wide.fFrame.width, FormLayout::MinimumPaneTwips);
    wide.vSepMove(100000);
    EXPECT_EQ(wide.lvw1.width, FormLayout::MinimumPaneTwips);
    wide.vSepUp();
    EXPECT_EQ(wide.vSep.left, wide.tvw1.right() + 50);
}
