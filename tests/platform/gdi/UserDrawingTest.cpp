#include "GdiTestSupport.h"

#include <gtest/gtest.h>

using namespace gditest;
using platform::win::RGB;

namespace {

constexpr COLORREF kRed = 0x0000FF;
constexpr COLORREF kBlue = 0xFF0000;
constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kBlack = 0x000000;

// The system colours of edges by letter (3DLIGHT is the face colour here).
const std::vector<std::pair<char, COLORREF>> kEdgeLegend = {
    {'r', kRed}, {'f', 0xC8D0D4}, {'w', 0xFFFFFF}, {'s', 0x808080}, {'d', 0x404040}, {'k', 0}};

// The expected 6 × 6 map of a two-line edge on BF_RECT: bottom and right
// colours own the corners they share with top and left.
std::string ringMap(char outerTL, char innerTL, char innerBR, char outerBR, char middle = 'r') {
    const std::string o(1, outerTL);
    const std::string b(1, outerBR);
    return o + o + o + o + o + b + "|" +                         //
           o + innerTL + innerTL + innerTL + innerBR + b + "|" + //
           o + innerTL + middle + middle + innerBR + b + "|" +   //
           o + innerTL + middle + middle + innerBR + b + "|" +   //
           o + innerBR + innerBR + innerBR + innerBR + b + "|" + b + b + b + b + b + b;
}

// A 4 × 4 icon: columns 0 and 1 opaque black, column 2 opaque white,
// column 3 transparent with a white colour bit.
HICON testIcon() {
    Surface color(4, 4, 32, kBlack);
    Surface mask(4, 4, 1, kBlack);
    for (int y = 0; y < 4; ++y) {
        SetPixel(color.dc(), 2, y, kWhite);
        SetPixel(color.dc(), 3, y, kWhite);
        SetPixel(mask.dc(), 3, y, kWhite);
    }
    ICONINFO info;
    info.hbmMask = mask.bitmap();
    info.hbmColor = color.bitmap();
    return CreateIconIndirect(&info);
}

} // namespace

TEST(DrawEdge, EachEdgeKindOwnsItsLinesAndCorners) {
    struct Case {
        UINT edge;
        UINT flags;
        std::string expected;
    };
    const Case cases[] = {
        {EDGE_RAISED, BF_RECT, ringMap('f', 'w', 's', 'd')},
        {EDGE_SUNKEN, BF_RECT, ringMap('s', 'd', 'f', 'w')},
        {EDGE_ETCHED, BF_RECT, ringMap('s', 'w', 's', 'w')},
        {EDGE_BUMP, BF_RECT, ringMap('f', 'd', 'f', 'd')},
        {EDGE_RAISED, BF_RECT | BF_SOFT, ringMap('w', 'f', 's', 'd')},
        {EDGE_SUNKEN, BF_RECT | BF_SOFT, ringMap('d', 's', 'f', 'w')},
        {EDGE_RAISED, BF_RECT | BF_MIDDLE, ringMap('f', 'w', 's', 'd', 'f')},
        {EDGE_SUNKEN, BF_RECT | BF_FLAT, ringMap('s', 'f', 'f', 's')},
        {EDGE_SUNKEN, BF_RECT | BF_MONO, ringMap('k', 'w', 'w', 'k')},
        // One line alone: the inner kind sits where the outer would.
        {BDR_RAISEDINNER, BF_RECT, "wwwwws|wrrrrs|wrrrrs|wrrrrs|wrrrrs|ssssss"},
        {BDR_SUNKENOUTER, BF_RECT, "sssssw|srrrrw|srrrrw|srrrrw|srrrrw|wwwwww"},
        // A single side draws full-length lines.
        {EDGE_RAISED, BF_TOP, "ffffff|wwwwww|rrrrrr|rrrrrr|rrrrrr|rrrrrr"},
        {EDGE_RAISED, BF_BOTTOMRIGHT, "rrrrsd|rrrrsd|rrrrsd|rrrrsd|sssssd|dddddd"},
    };
    for (const Case& c : cases) {
        Surface surface(6, 6, 32, kRed);
        RECT rect{0, 0, 6, 6};
        EXPECT_TRUE(DrawEdge(surface.dc(), &rect, c.edge, c.flags));
        EXPECT_EQ(surface.map(kEdgeLegend), c.expected) << c.edge << " " << c.flags;
    }

    // BF_ADJUST shrinks by the lines drawn; contradictory edges draw nothing.
    Surface surface(10, 10, 32, kRed);
    RECT rect{0, 0, 10, 10};
    EXPECT_TRUE(DrawEdge(surface.dc(), &rect, EDGE_RAISED, BF_RECT | BF_ADJUST));
    EXPECT_EQ(rect.left, 2);
    EXPECT_EQ(rect.bottom, 8);
    RECT bad{0, 0, 10, 10};
    Surface untouched(10, 10, 32, kRed);
    EXPECT_FALSE(
        DrawEdge(untouched.dc(), &bad, BDR_RAISEDOUTER | BDR_SUNKENOUTER, BF_RECT | BF_MIDDLE));
    EXPECT_EQ(inkBox(untouched, 10, 10, kRed).right, 0);
}

TEST(DrawFocusRect, InvertsEveryOtherOutlinePixelAndASecondCallRestores) {
    Surface surface(5, 4, 32, RGB(10, 200, 30));
    RECT rect{0, 0, 5, 4};
    EXPECT_TRUE(DrawFocusRect(surface.dc(), &rect));
    const COLORREF inverted = RGB(245, 55, 225);
    EXPECT_EQ(surface.map({{'.', RGB(10, 200, 30)}, {'x', inverted}}), "x.x.x|.....|x...x|.x.x.");
    EXPECT_TRUE(DrawFocusRect(surface.dc(), &rect));
    EXPECT_EQ(inkBox(surface, 5, 4, RGB(10, 200, 30)).right, 0);
}

TEST(DrawFrameControl, MenuGlyphsAndButtonsAtTheClassicThirteenPixels) {
    const std::vector<std::pair<char, COLORREF>> ink = {{'.', kWhite}, {'#', kBlack}};
    Surface check(13, 13);
    RECT rect{0, 0, 13, 13};
    EXPECT_TRUE(DrawFrameControl(check.dc(), &rect, DFC_MENU, DFCS_MENUCHECK));
    EXPECT_EQ(check.map(ink), ".............|.............|.............|.........#...|"
                              "........##...|...#...###...|...##.###....|...#####.....|"
                              "....###......|.....#.......|.............|.............|"
                              ".............");
    Surface bullet(13, 13, 32, kRed);
    EXPECT_TRUE(DrawFrameControl(bullet.dc(), &rect, DFC_MENU, DFCS_MENUBULLET));
    const RECT dot = inkBox(bullet, 13, 13, kWhite);
    EXPECT_EQ(dot.left, 5);
    EXPECT_EQ(dot.right, 9);
    EXPECT_EQ(dot.top, 5);
    EXPECT_EQ(dot.bottom, 9);

    // A checked box: sunken edge, window-coloured inside, the mark's columns.
    Surface box(13, 13, 32, kRed);
    EXPECT_TRUE(DrawFrameControl(box.dc(), &rect, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED));
    EXPECT_EQ(box.at(0, 0), 0x808080u);
    EXPECT_EQ(box.at(1, 1), 0x404040u);
    EXPECT_EQ(box.at(12, 12), 0xFFFFFFu);
    EXPECT_EQ(box.at(3, 5), kBlack);
    EXPECT_EQ(box.at(3, 7), kBlack);
    EXPECT_EQ(box.at(3, 8), kWhite);
    EXPECT_EQ(box.at(9, 3), kBlack);
    EXPECT_EQ(box.at(10, 3), kWhite);
    // A checked radio button has its 4 × 4 dot at 5..8.
    Surface radio(13, 13, 32, kRed);
    EXPECT_TRUE(DrawFrameControl(radio.dc(), &rect, DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED));
    EXPECT_EQ(radio.at(6, 6), kBlack);
    EXPECT_EQ(radio.at(4, 6), kWhite);
    // The caption close glyph at 16 × 14: its diagonals meet at (7, 6).
    Surface close(16, 14, 32, kRed);
    RECT button{0, 0, 16, 14};
    EXPECT_TRUE(DrawFrameControl(close.dc(), &button, DFC_CAPTION, DFCS_CAPTIONCLOSE));
    EXPECT_EQ(close.at(7, 6), kBlack);
    EXPECT_EQ(close.at(4, 3), kBlack);
    EXPECT_EQ(close.at(6, 3), 0xC8D0D4u);
    EXPECT_EQ(close.at(0, 0), 0xFFFFFFu); // soft raised edge
    EXPECT_FALSE(DrawFrameControl(close.dc(), &button, DFC_CAPTION, 9));
    EXPECT_FALSE(DrawFrameControl(close.dc(), &button, 7, 0));
}

TEST(DrawState, DisabledEmbossesAndUnionDithersTheIconsInk) {
    const HICON icon = testIcon();
    const std::vector<std::pair<char, COLORREF>> legend = {
        {'r', kRed}, {'s', 0x808080}, {'w', kWhite}, {'b', kBlue}, {'k', kBlack}};
    // Ink: the opaque black columns and the transparent white one.
    Surface disabled(8, 7, 32, kRed);
    EXPECT_TRUE(DrawStateA(disabled.dc(), 0, nullptr, static_cast<platform::win::LPARAM>(icon), 0,
                           1, 1, 0, 0, DST_ICON | DSS_DISABLED));
    EXPECT_EQ(disabled.map(legend),
              "rrrrrrrr|rssrsrrr|rsswswrr|rsswswrr|rsswswrr|rrwwrwrr|rrrrrrrr");

    Surface dithered(8, 7, 32, kRed);
    const HBRUSH blue = CreateSolidBrush(kBlue);
    EXPECT_TRUE(DrawStateA(dithered.dc(), blue, nullptr, static_cast<platform::win::LPARAM>(icon),
                           0, 1, 1, 0, 0, DST_ICON | DSS_UNION | DSS_MONO));
    EXPECT_EQ(dithered.map(legend),
              "rrrrrrrr|rbrrrrrr|rrbrbrrr|rbrrrrrr|rrbrbrrr|rrrrrrrr|rrrrrrrr");
    DeleteObject(blue);

    // Normal: the icon itself; the transparent white column inverts red.
    Surface normal(8, 7, 32, kRed);
    EXPECT_TRUE(DrawStateA(normal.dc(), 0, nullptr, static_cast<platform::win::LPARAM>(icon), 0, 1,
                           1, 0, 0, DST_ICON));
    EXPECT_EQ(normal.at(1, 1), kBlack);
    EXPECT_EQ(normal.at(3, 1), kWhite);
    EXPECT_EQ(normal.at(4, 1), RGB(0, 255, 255));
    // A disabled text leaves a highlight one pixel right of the shadow.
    Surface text(40, 20, 32, kRed);
    EXPECT_TRUE(DrawStateA(text.dc(), 0, nullptr, reinterpret_cast<platform::win::LPARAM>("I"), 0,
                           2, 2, 0, 0, DST_TEXT | DSS_DISABLED));
    const RECT ink = inkBox(text, 40, 20, kRed);
    EXPECT_EQ(text.at(ink.right - 1, ink.bottom - 1), kWhite);
    EXPECT_FALSE(DrawStateA(text.dc(), 0, nullptr, 0x7FFFFF, 0, 0, 0, 0, 0, DST_ICON));
    DestroyIcon(icon);
}
