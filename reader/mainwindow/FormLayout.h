#pragma once
// Where the main window's controls stand, in twips (1/1440 inch), and how a
// resize, the two splitters and the View menu's bar switches move them. Pure
// arithmetic over rectangles: the window places its widgets from it.
#include <array>

namespace quillet {

struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int right() const { return left + width; }
    int bottom() const { return top + height; }
    bool operator==(const TwipsRect&) const = default;
};

// A splitter: dragging flag and the last pointer position along its axis.
struct SplitterState {
    bool dragging = false;
    int last = 0;
};

class FormLayout {
public:
    // Smallest sizes a drag leaves a pane: below them a pane is no longer usable.
    static constexpr int MinimumPaneTwips = 600;

    FormLayout();

    // Controls of the form. Positions are in the form's client area, except tlb3
    // and tvw1, which lie inside fFrame; comURL and cmdGo lie on tlb1, txtSearch,
    // comEngine and cmdSearch on tlb2.
    TwipsRect tlb1, tlb2, stb1, fFrame, tlb3, tvw1, lvw1, Tab1, browser, vSep, dvSep, hSep, dhSep;
    TwipsRect comURL, cmdGo, txtSearch, comEngine, cmdSearch;
    bool tlb1Visible = true;
    bool tlb2Visible = true;
    bool stb1Visible = true;
    bool dvSepVisible = false;
    bool dhSepVisible = false;
    SplitterState hSplit;
    SplitterState vSplit;

    // The window's inner size changed: every pane follows.
    void resize(int innerWidth, int innerHeight);
    // The splitters' places at start-up.
    void arrangeSplitters();

    // Horizontal splitter (article list above, tabs below); y in the form's twips.
    void hSepDown(int y);
    void hSepMove(int y);
    void hSepUp();
    // Vertical splitter (left pane, right side); x in the form's twips.
    void vSepDown(int x);
    void vSepMove(int x);
    void vSepUp();

    // The View menu's switches: hide when shown, show when hidden.
    void toggleStandardBar(); // tlb1
    void toggleSearchBar();   // tlb2
    void toggleStatusBar();   // stb1

    // The status bar's height and the search engine box's width, which follow
    // the font the window shows them in; the panes follow at once.
    void setStatusHeight(int twips);
    void setEngineBoxWidth(int twips);
    // The smallest inner size at which every control still has room: the
    // panes keep MinimumPaneTwips and the address and search boxes too.
    TwipsRect minimumInnerSize() const;

    int innerWidth() const { return width_; }
    int innerHeight() const { return height_; }

private:
    int barsHeight() const;
    int searchControlsWidth() const; // engine box and search button with their gaps
    void placeBrowser();
    void toggleTopBar(TwipsRect& bar, bool& visible);

    int width_ = 0;
    int height_ = 0;
};

} // namespace quillet
