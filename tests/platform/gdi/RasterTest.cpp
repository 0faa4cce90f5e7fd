#include "GdiTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace gditest;
using platform::win::RGB;

namespace {

constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kBlack = 0x000000;

} // namespace

TEST(RasterOps, EachOperationCombinesKnownPixelsBitByBit) {
    // Source and destination pixels with distinct bits in every channel.
    const COLORREF s = RGB(0xF0, 0x0F, 0x55);
    const COLORREF d = RGB(0xCC, 0x33, 0xAA);
    const COLORREF p = RGB(0x96, 0x69, 0x3C);
    struct Case {
        DWORD rop;
        std::uint32_t (*expect)(std::uint32_t, std::uint32_t, std::uint32_t);
    };
    const Case cases[] = {
        {SRCCOPY, [](std::uint32_t s, std::uint32_t, std::uint32_t) { return s; }},
        {SRCAND, [](std::uint32_t s, std::uint32_t d, std::uint32_t) { return s & d; }},
        {SRCPAINT, [](std::uint32_t s, std::uint32_t d, std::uint32_t) { return s | d; }},
        {SRCERASE, [](std::uint32_t s, std::uint32_t d, std::uint32_t) { return s & ~d; }},
        {SRCINVERT, [](std::uint32_t s, std::uint32_t d, std::uint32_t) { return s ^ d; }},
        {NOTSRCCOPY, [](std::uint32_t s, std::uint32_t, std::uint32_t) { return ~s; }},
        {MERGEPAINT, [](std::uint32_t s, std::uint32_t d, std::uint32_t) { return ~s | d; }},
        {PATCOPY, [](std::uint32_t, std::uint32_t, std::uint32_t p) { return p; }},
        {PATINVERT, [](std::uint32_t, std::uint32_t d, std::uint32_t p) { return p ^ d; }},
        {BLACKNESS, [](std::uint32_t, std::uint32_t, std::uint32_t) { return 0u; }},
        {WHITENESS, [](std::uint32_t, std::uint32_t, std::uint32_t) { return ~0u; }},
        {0x00B8074A,
         [](std::uint32_t s, std::uint32_t d, std::uint32_t p) { return (s & d) | (~s & p); }},
        // A code without a shortcut goes through the truth table: D | P.
        {0x00FA0089, [](std::uint32_t, std::uint32_t d, std::uint32_t p) { return d | p; }},
    };
    Surface source(2, 1, 32, s);
    for (const Case& c : cases) {
        Surface target(2, 1, 32, d);
        const HBRUSH brush = CreateSolidBrush(p);
        const HGDIOBJ old = SelectObject(target.dc(), brush);
        ASSERT_TRUE(BitBlt(target.dc(), 0, 0, 1, 1, source.dc(), 0, 0, c.rop));
        SelectObject(target.dc(), old);
        DeleteObject(brush);
        EXPECT_EQ(target.at(0, 0), c.expect(s, d, p) & 0xFFFFFF) << std::hex << c.rop;
        EXPECT_EQ(target.at(1, 0), d) << "outside the block";
    }
}

TEST(RasterOps, ColourAndMonochromeConvertByTheDCsColours) {
    // Colour -> monochrome: the source DC's background colour becomes white.
    Surface colour(3, 1, 32, RGB(255, 0, 0));
    SetPixel(colour.dc(), 1, 0, RGB(0, 0, 255));
    SetPixel(colour.dc(), 2, 0, kWhite);
    SetBkColor(colour.dc(), RGB(0, 0, 255));
    Surface mono(3, 1, 1, kBlack);
    ASSERT_TRUE(BitBlt(mono.dc(), 0, 0, 3, 1, colour.dc(), 0, 0, SRCCOPY));
    EXPECT_EQ(mono.map({{'#', kBlack}, {'.', kWhite}}), "#.#");

    // Monochrome -> colour: 1 bits take the destination's background colour,
    // 0 bits its text colour.
    Surface target(3, 1, 32, kBlack);
    SetTextColor(target.dc(), RGB(0, 128, 0));
    SetBkColor(target.dc(), RGB(255, 255, 0));
    ASSERT_TRUE(BitBlt(target.dc(), 0, 0, 3, 1, mono.dc(), 0, 0, SRCCOPY));
    EXPECT_EQ(target.map({{'g', RGB(0, 128, 0)}, {'y', RGB(255, 255, 0)}}), "gyg");

    // A mono mask works by SRCAND only with black text on white.
    Surface scene(3, 1, 32, RGB(10, 20, 30));
    ASSERT_TRUE(BitBlt(scene.dc(), 0, 0, 3, 1, mono.dc(), 0, 0, SRCAND));
    EXPECT_EQ(scene.map({{'k', kBlack}, {'s', RGB(10, 20, 30)}}), "ksk");

    // StretchBlt doubles each pixel.
    Surface wide(6, 1, 32, kBlack);
    ASSERT_TRUE(StretchBlt(wide.dc(), 0, 0, 6, 1, target.dc(), 0, 0, 3, 1, SRCCOPY));
    EXPECT_EQ(wide.map({{'g', RGB(0, 128, 0)}, {'y', RGB(255, 255, 0)}}), "ggyygg");
}

TEST(RasterOps, CheckerPatternBrushPaintsTextAndBackgroundColoursByBit) {
    const WORD rows[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
    const HBITMAP pattern = CreateBitmap(8, 8, 1, 1, rows);
    const HBRUSH checker = CreatePatternBrush(pattern);
    DeleteObject(pattern); // the brush keeps its own copy
    Surface target(4, 3, 32, kBlack);
    SetTextColor(target.dc(), RGB(255, 0, 0)); // 0 bits
    SetBkColor(target.dc(), RGB(0, 0, 255));   // 1 bits
    const RECT all{0, 0, 4, 3};
    EXPECT_EQ(FillRect(target.dc(), &all, checker), 1);
    // 0xAA = 10101010: x = 0 is a 1 bit on even rows.
    EXPECT_EQ(target.map({{'r', RGB(255, 0, 0)}, {'b', RGB(0, 0, 255)}}), "brbr|rbrb|brbr");
    DeleteObject(checker);
}

TEST(RasterOps, LinesLeaveOutTheEndPointAndFloodFillStopsAtTheBorder) {
    Surface target(7, 7, 32, kWhite);
    const HPEN pen = CreatePen(PS_SOLID, 1, kBlack);
    const HGDIOBJ oldPen = SelectObject(target.dc(), pen);
    // A closed square outline 1..5, drawn corner to corner.
    MoveToEx(target.dc(), 1, 1, nullptr);
    LineTo(target.dc(), 5, 1);
    LineTo(target.dc(), 5, 5);
    LineTo(target.dc(), 1, 5);
    LineTo(target.dc(), 1, 1);
    // A lone segment whose end point stays white.
    MoveToEx(target.dc(), 0, 6, nullptr);
    LineTo(target.dc(), 3, 6);
    SelectObject(target.dc(), oldPen);
    DeleteObject(pen);

    const HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    const HGDIOBJ oldBrush = SelectObject(target.dc(), red);
    // Border fill: everything not black that connects to (3, 3).
    EXPECT_TRUE(ExtFloodFill(target.dc(), 3, 3, kBlack, FLOODFILLBORDER));
    // A point on the border itself is nothing to fill.
    EXPECT_FALSE(ExtFloodFill(target.dc(), 1, 1, kBlack, FLOODFILLBORDER));
    EXPECT_FALSE(ExtFloodFill(target.dc(), 40, 3, kBlack, FLOODFILLBORDER));
    const std::vector<std::pair<char, COLORREF>> legend = {
        {'.', kWhite}, {'#', kBlack}, {'r', RGB(255, 0, 0)}, {'g', RGB(0, 255, 0)}};
    EXPECT_EQ(target.map(legend), ".......|.#####.|.#rrr#.|.#rrr#.|.#rrr#.|.#####.|###....");
    SelectObject(target.dc(), oldBrush);
    DeleteObject(red);

    // Surface fill: the white region around the square, 4-connected.
    const HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
    SelectObject(target.dc(), green);
    EXPECT_TRUE(ExtFloodFill(target.dc(), 0, 0, kWhite, FLOODFILLSURFACE));
    EXPECT_EQ(target.map(legend), "ggggggg|g#####g|g#rrr#g|g#rrr#g|g#rrr#g|g#####g|###gggg");
    SelectObject(target.dc(), oldBrush);
    DeleteObject(green);

    // The lines of a gradient: one pixel row each, from x to x + w exclusive;
    // the line one past the bottom of the DC's image is clipped away.
    Surface bar(3, 3, 32, kWhite);
    const COLORREF shades[4] = {RGB(10, 0, 0), RGB(20, 0, 0), RGB(30, 0, 0), RGB(40, 0, 0)};
    for (int i = 0; i <= 3; ++i) {
        const HPEN shade = CreatePen(PS_SOLID, 1, shades[i]);
        const HGDIOBJ old = SelectObject(bar.dc(), shade);
        EXPECT_TRUE(MoveToEx(bar.dc(), 0, i, nullptr));
        EXPECT_TRUE(LineTo(bar.dc(), 2, i));
        SelectObject(bar.dc(), old);
        DeleteObject(shade);
    }
    EXPECT_EQ(bar.map({{'.', kWhite}, {'1', shades[0]}, {'2', shades[1]}, {'3', shades[2]}}),
              "11.|22.|33.");
}

TEST(DibBits, A16By16IconRoundTripsThroughTheStoredLayout) {
    // A colour image with a distinct value per pixel, a mask with a pattern.
    Surface colour(16, 16, 32);
    Surface mask(16, 16, 1);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            SetPixel(colour.dc(), x, y, RGB(x * 16, y * 16, (x + y) * 8));
            SetPixel(mask.dc(), x, y, (x + 2 * y) % 3 == 0 ? kWhite : kBlack);
        }
    const HDC screen = GetDC(0);
    std::vector<unsigned char> bytes(8 + 768 + 64, 0);
    BITMAPINFO info;
    info.bmiHeader.biWidth = 16;
    info.bmiHeader.biHeight = 16;
    info.bmiHeader.biBitCount = 24;
    EXPECT_EQ(GetDIBits(screen, colour.bitmap(), 0, 16, bytes.data() + 8, &info, DIB_RGB_COLORS),
              16);
    EXPECT_EQ(info.bmiHeader.biSizeImage, 768u);
    info.bmiHeader.biBitCount = 1;
    EXPECT_EQ(
        GetDIBits(screen, mask.bitmap(), 0, 16, bytes.data() + 8 + 768, &info, DIB_RGB_COLORS), 16);
    EXPECT_EQ(info.bmiHeader.biSizeImage, 64u);
    EXPECT_EQ(info.bmiColors[1].rgbRed, 255);

    // Bottom-up B, G, R: the first row stored is the image's last.
    const unsigned char* first = bytes.data() + 8;
    EXPECT_EQ(first[0], (0 + 15) * 8); // blue of (0, 15)
    EXPECT_EQ(first[1], 15 * 16);      // green
    EXPECT_EQ(first[2], 0);            // red
    EXPECT_EQ(first[3 * 3 + 2], 3 * 16);
    // 1-bit rows: 2 bytes of pixels and 2 of padding; row y = 15 bottom-up.
    const unsigned char* maskRow = bytes.data() + 8 + 768;
    EXPECT_EQ(maskRow[0], 0x92); // x = 0, 3, 6 (1001 0010)
    EXPECT_EQ(maskRow[1], 0x49); // x = 9, 12, 15
    EXPECT_EQ(maskRow[2], 0);
    EXPECT_EQ(maskRow[3], 0);

    // Loaded back into fresh bitmaps, every pixel comes back.
    Surface colourBack(16, 16, 32, kBlack);
    Surface maskBack(16, 16, 1, kBlack);
    info.bmiHeader.biBitCount = 24;
    EXPECT_EQ(
        SetDIBits(screen, colourBack.bitmap(), 0, 16, bytes.data() + 8, &info, DIB_RGB_COLORS), 16);
    info.bmiHeader.biBitCount = 1;
    info.bmiColors[0] = RGBQUAD{0, 0, 0, 0};
    info.bmiColors[1] = RGBQUAD{255, 255, 255, 0};
    EXPECT_EQ(
        SetDIBits(screen, maskBack.bitmap(), 0, 16, bytes.data() + 8 + 768, &info, DIB_RGB_COLORS),
        16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            ASSERT_EQ(colourBack.at(x, y), colour.at(x, y)) << x << "," << y;
            ASSERT_EQ(maskBack.at(x, y), mask.at(x, y)) << x << "," << y;
        }
    ReleaseDC(0, screen);
}

TEST(GdiObjects, BadHandlesFailWithThePlatformValuesAndNothingLeaks) {
    const int before = liveGdiObjectCount();
    const HBRUSH brush = CreateSolidBrush(kBlack);
    const HDC dc = CreateCompatibleDC(0);
    EXPECT_EQ(liveGdiObjectCount(), before + 2);
    // A handle of the wrong kind, a null DC, a handle that never existed.
    EXPECT_FALSE(BitBlt(brush, 0, 0, 1, 1, dc, 0, 0, SRCCOPY));
    EXPECT_EQ(SelectObject(0, brush), 0u);
    EXPECT_EQ(SelectObject(dc, 0x7FFFFFF), 0u);
    EXPECT_EQ(SetTextColor(0, kBlack), CLR_INVALID);
    EXPECT_EQ(SetBkMode(brush, OPAQUE), 0);
    EXPECT_EQ(GetPixel(0, 0, 0), CLR_INVALID);
    EXPECT_EQ(FillRect(dc, nullptr, brush), 0);
    EXPECT_FALSE(DeleteDC(brush));
    EXPECT_FALSE(DeleteObject(dc));
    // Deleting a selected brush defers until the DC lets go of it.
    const HGDIOBJ old = SelectObject(dc, brush);
    EXPECT_TRUE(DeleteObject(brush));
    EXPECT_FALSE(DeleteObject(brush)); // already deleted
    EXPECT_EQ(liveGdiObjectCount(), before + 2);
    SelectObject(dc, old);
    EXPECT_EQ(liveGdiObjectCount(), before + 1);
    // A bitmap lives in one memory DC at a time.
    const HBITMAP bitmap = CreateCompatibleBitmap(dc, 4, 4);
    BITMAP info;
    ASSERT_EQ(GetObjectA(bitmap, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.bmBitsPixel, 1); // a fresh memory DC holds a monochrome bitmap
    const HDC other = CreateCompatibleDC(0);
    const HGDIOBJ first = SelectObject(dc, bitmap);
    EXPECT_NE(first, 0u);
    EXPECT_EQ(SelectObject(other, bitmap), 0u);
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_TRUE(DeleteDC(other));
    EXPECT_TRUE(DeleteObject(bitmap));
    EXPECT_TRUE(DeleteObject(GetStockObject(WHITE_BRUSH))); // stock: a no-op
    EXPECT_EQ(liveGdiObjectCount(), before);
}
