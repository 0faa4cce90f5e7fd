#include "reader/mainwindow/FormLayout.h"

#include <algorithm>

namespace quillet {

namespace {
constexpr int BarHeight = 420;    // each tool bar: 28 px
constexpr int StatusHeight = 300; // 20 px
constexpr int FavouritesHeight = 450;
constexpr int SplitterThickness = 60;
constexpr int GoButtonWidth = 390;
constexpr int EngineBoxWidth = 1650;
constexpr int SearchButtonWidth = 750;
} // namespace

FormLayout::FormLayout() {
    // Design-time places; the first resize fixes the sizes that depend on the window.
    tlb1 = {0, 0, 0, BarHeight};
    tlb2 = {0, BarHeight, 0, BarHeight};
    fFrame = {0, 2 * BarHeight, 2800, 4000};
    tlb3 = {0, 0, 2750, FavouritesHeight};
    tvw1 = {0, 500, 2750, 3500};
    lvw1 = {2910, 2 * BarHeight, 6000, 2600};
    hSep = {lvw1.left, lvw1.bottom() + 30, lvw1.width, SplitterThickness};
    dhSep = hSep;
    Tab1 = {lvw1.left, lvw1.bottom() + 130, lvw1.width, 3000};
    vSep = {fFrame.right() + 20, fFrame.top, SplitterThickness, fFrame.height};
    dvSep = vSep;
    comURL = {2400, 45, 4000, 330};
    cmdGo = {comURL.right() + 10, 30, GoButtonWidth, 360};
    txtSearch = {1700, 45, 3000, 330};
    comEngine = {txtSearch.right() + 50, 45, EngineBoxWidth, 330};
    cmdSearch = {comEngine.right() + 50, 30, SearchButtonWidth, 360};
    stb1 = {0, 0, 0, StatusHeight};
    placeBrowser();
}

int FormLayout::barsHeight() const {
    return (tlb1Visible ? tlb1.height : 0) + (tlb2Visible ? tlb2.height : 0) +
           (stb1Visible ? stb1.height : 0);
}

void FormLayout::placeBrowser() {
    // The tabs sit at the bottom of the tab strip; the browsers cover the rest.
    browser = {Tab1.left + 50, Tab1.top + 50, Tab1.width - 100, Tab1.height - 400};
}

void FormLayout::resize(int innerWidth, int innerHeight) {
    width_ = innerWidth;
    height_ = innerHeight;
    const int bars = barsHeight();
    tlb1.width = innerWidth;
    tlb2.width = innerWidth;
    stb1 = {0, innerHeight - stb1.height, innerWidth, stb1.height};

    fFrame.height = innerHeight - 200 - bars;
    tvw1.height = fFrame.height - 500;
    lvw1.width = innerWidth - tvw1.width - 250;
    Tab1.height = innerHeight - lvw1.height - 200 - bars;
    Tab1.width = innerWidth - tvw1.width - 250;
    placeBrowser();
    vSep = {lvw1.left - 100, fFrame.top, vSep.width, fFrame.height};
    hSep.left = lvw1.left;
    hSep.width = lvw1.width;
    dhSep.left = lvw1.left;
    dhSep.width = lvw1.width;
    dvSep = {lvw1.left - 200, fFrame.top, dvSep.width, fFrame.height};
    comURL.width = innerWidth - comURL.left - 400;
    cmdGo.left = comURL.left + comURL.width + 10;
    txtSearch.width = innerWidth - txtSearch.left - searchControlsWidth();
    comEngine.left = txtSearch.left + txtSearch.width + 50;
    cmdSearch.left = comEngine.left + comEngine.width + 50;
}

int FormLayout::searchControlsWidth() const {
    return 50 + comEngine.width + 50 + cmdSearch.width;
}

void FormLayout::setStatusHeight(int twips) {
    stb1.height = twips;
    if (width_ > 0 || height_ > 0)
        resize(width_, height_);
}

void FormLayout::setEngineBoxWidth(int twips) {
    comEngine.width = twips;
    if (width_ > 0 || height_ > 0)
        resize(width_, height_);
}

TwipsRect FormLayout::minimumInnerSize() const {
    // The browser below the list keeps a usable height above the tabs.
    constexpr int TabsHeight = 400;
    const int width = std::max({comURL.left + MinimumPaneTwips + 400,
                                txtSearch.left + MinimumPaneTwips + searchControlsWidth(),
                                tvw1.width + 250 + MinimumPaneTwips});
    const int height = std::max(lvw1.height + 200 + barsHeight() + MinimumPaneTwips + TabsHeight,
                                500 + MinimumPaneTwips + 200 + barsHeight());
    return {0, 0, width, height};
}

void FormLayout::arrangeSplitters() {
    vSep.top = dvSep.top = fFrame.top;
    vSep.left = dvSep.left = fFrame.left + fFrame.width + 20;
    vSep.height = tvw1.height;
    dvSep.height = fFrame.height;
    hSep.left = lvw1.left;
    hSep.width = lvw1.width;
    dhSep.top = hSep.top;
}

void FormLayout::hSepDown(int y) {
    hSplit.dragging = true;
    hSplit.last = y;
    dhSepVisible = true;
}

void FormLayout::hSepMove(int y) {
    if (!hSplit.dragging || y == hSplit.last)
        return;
    // The list and the tabs below it both keep a usable height; a drag past
    // that stops there instead of leaving the panes half moved.
    const int tabBottom = stb1Visible ? stb1.top : stb1.top + stb1.height;
    const int maxListHeight = tabBottom - lvw1.top - 130 - MinimumPaneTwips;
    const int listHeight = std::clamp(lvw1.height + (y - hSplit.last), MinimumPaneTwips,
                                      std::max(MinimumPaneTwips, maxListHeight));
    hSplit.last = y;
    lvw1.height = listHeight;
    dhSep.top = lvw1.top + lvw1.height + 30;
    Tab1.top = dhSep.top + 100;
    Tab1.height = tabBottom - Tab1.top;
    placeBrowser();
}

void FormLayout::hSepUp() {
    hSplit.dragging = false;
    hSep.top = lvw1.top + lvw1.height + 30;
    dhSepVisible = false;
}

void FormLayout::vSepDown(int x) {
    vSplit.dragging = true;
    vSplit.last = x;
    dvSepVisible = true;
}

void FormLayout::vSepMove(int x) {
    if (!vSplit.dragging || x == vSplit.last)
        return;
    // Both sides keep a usable width.
    const int wanted = x - vSplit.last;
    const int delta = std::clamp(wanted, std::min(0, MinimumPaneTwips - fFrame.width),
                                 std::max(0, lvw1.width - MinimumPaneTwips));
    vSplit.last = x;
    fFrame.width += delta;
    lvw1.width -= delta;
    dvSep.left = fFrame.left + fFrame.width + 10;
    tvw1.width = fFrame.width - 50;
    tlb3.width = tvw1.width;
    lvw1.left = dvSep.left + 100;
    Tab1.left = lvw1.left;
    Tab1.width = lvw1.width;
    // The other splitter spans the list, as a resize would leave it; otherwise
    // it would stick out over the left pane until the next resize.
    hSep.left = dhSep.left = lvw1.left;
    hSep.width = dhSep.width = lvw1.width;
    placeBrowser();
}

void FormLayout::vSepUp() {
    vSplit.dragging = false;
    vSep.left = tvw1.left + tvw1.width + 50;
    dvSepVisible = false;
}

void FormLayout::toggleTopBar(TwipsRect& bar, bool& visible) {
    // Hiding moves the content up by the bar's height; showing moves it back.
    const int h = visible ? bar.height : -bar.height;
    visible = !visible;
    if (&bar == &tlb1)
        tlb2.top = visible ? tlb1.height : 0;
    Tab1.height += h;
    Tab1.top -= h;
    placeBrowser();
    fFrame.height += h;
    fFrame.top -= h;
    tvw1.height += h;
    lvw1.top -= h;
    vSep.top = dvSep.top = fFrame.top;
    hSep.left = dhSep.left = lvw1.left;
    hSep.width = dhSep.width = lvw1.width;
    hSep.top = dhSep.top = Tab1.top - 50;
}

void FormLayout::toggleStandardBar() {
    toggleTopBar(tlb1, tlb1Visible);
}

void FormLayout::toggleSearchBar() {
    toggleTopBar(tlb2, tlb2Visible);
}

void FormLayout::toggleStatusBar() {
    const int h = stb1Visible ? stb1.height : -stb1.height;
    stb1Visible = !stb1Visible;
    Tab1.height += h;
    placeBrowser();
    fFrame.height += h;
    tvw1.height += h;
}

} // namespace quillet
