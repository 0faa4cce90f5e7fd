#include "GdiTestSupport.h"

#include "platform/text/Codepage.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace gditest;

namespace {

constexpr COLORREF kWhite = 0xFFFFFF;

LOGFONTA logFont(const QString& face, LONG height, LONG escapement = 0) {
    LOGFONTA font;
    font.lfHeight = height;
    font.lfEscapement = font.lfOrientation = escapement;
    font.lfCharSet = SHIFTJIS_CHARSET;
    const QByteArray name = platform::text::encodeCp932(face);
    std::strncpy(font.lfFaceName, name.constData(), LF_FACESIZE - 1);
    return font;
}

// Draws text at (x, y) with the font and alignment; returns the ink box.
RECT drawAt(const LOGFONTA& font, UINT align, int x, int y, const QString& text,
            SIZE* extent = nullptr) {
    Surface surface(120, 120);
    const HFONT handle = CreateFontIndirectA(&font);
    const HGDIOBJ old = SelectObject(surface.dc(), handle);
    SetTextAlign(surface.dc(), align);
    SetBkMode(surface.dc(), TRANSPARENT);
    const QByteArray bytes = platform::text::encodeCp932(text);
    if (extent)
        GetTextExtentPoint32A(surface.dc(), bytes.constData(), static_cast<int>(bytes.size()),
                              extent);
    TextOutA(surface.dc(), x, y, bytes.constData(), static_cast<int>(bytes.size()));
    SelectObject(surface.dc(), old);
    DeleteObject(handle);
    return inkBox(surface, 120, 120, kWhite);
}

bool inside(const RECT& ink, int left, int top, int right, int bottom) {
    return ink.left >= left - 1 && ink.top >= top - 1 && ink.right <= right + 1 &&
           ink.bottom <= bottom + 1 && ink.right > ink.left;
}

} // namespace

TEST(Text, RotatedTextLandsInTheBoxTheAlignmentGives) {
    const QString text = QStringLiteral("Menu");
    const LOGFONTA up = logFont(QStringLiteral("ＭＳ Ｐゴシック"), -12, 900);
    SIZE extent;
    RECT ink = drawAt(up, TA_RIGHT | TA_TOP, 50, 20, text, &extent);
    const int w = extent.cx;
    const int h = extent.cy;
    EXPECT_GT(w, 20);
    EXPECT_EQ(h, 12); // the desktop's cell of a -12 Japanese face
    // 900, TA_RIGHT, TA_TOP: x … x + h, y … y + w; reading upwards, so the
    // ink is taller than wide.
    EXPECT_TRUE(inside(ink, 50, 20, 50 + h, 20 + w))
        << ink.left << "," << ink.top << "," << ink.right << "," << ink.bottom;
    EXPECT_GT(ink.bottom - ink.top, ink.right - ink.left);
    // 900, TA_LEFT: the string ends above the point.
    ink = drawAt(up, TA_LEFT | TA_TOP, 50, 80, text);
    EXPECT_TRUE(inside(ink, 50, 80 - w, 50 + h, 80));

    const LOGFONTA down = logFont(QStringLiteral("ＭＳ Ｐゴシック"), -12, 2700);
    // 2700, TA_LEFT, TA_BOTTOM: x … x + h, y … y + w.
    ink = drawAt(down, TA_LEFT | TA_BOTTOM, 30, 10, text);
    EXPECT_TRUE(inside(ink, 30, 10, 30 + h, 10 + w));
    // 2700, TA_LEFT, TA_TOP: x − h … x.
    ink = drawAt(down, TA_LEFT | TA_TOP, 30, 10, text);
    EXPECT_TRUE(inside(ink, 30 - h, 10, 30, 10 + w));
}

TEST(Text, VerticalFaceStandsJapaneseUprightOneBelowTheOther) {
    const QString text = QStringLiteral("日日");
    SIZE extent;
    const LOGFONTA vertical = logFont(QStringLiteral("@ＭＳ ゴシック"), -20, 2700);
    const RECT ink = drawAt(vertical, TA_LEFT | TA_BOTTOM, 40, 10, text, &extent);
    // Each upright character advances by one em down the line.
    EXPECT_EQ(extent.cx, 40);
    EXPECT_TRUE(inside(ink, 40, 10, 40 + 20, 10 + 40));
    // "日" is taller than wide when upright: two of them stacked are much
    // taller than wide; lying on their side they would be twice as wide.
    EXPECT_GT(ink.bottom - ink.top, 2 * (ink.right - ink.left));

    // The same characters in the horizontal face, turned by 2700, lie on
    // their side: the line is as tall, but each glyph is wider than tall.
    const LOGFONTA turned = logFont(QStringLiteral("ＭＳ ゴシック"), -20, 2700);
    const RECT lying = drawAt(turned, TA_LEFT | TA_BOTTOM, 40, 10, QStringLiteral("日"));
    EXPECT_GT(lying.right - lying.left, lying.bottom - lying.top);
}

TEST(Text, DrawTextMeasuresLinesPrefixesAndAlignsInTheRectangle) {
    Surface surface(100, 40);
    const LOGFONTA font = logFont(QStringLiteral("ＭＳ Ｐゴシック"), -12);
    const HFONT handle = CreateFontIndirectA(&font);
    const HGDIOBJ old = SelectObject(surface.dc(), handle);
    TEXTMETRICA metrics;
    ASSERT_TRUE(GetTextMetricsA(surface.dc(), &metrics));
    EXPECT_EQ(metrics.tmHeight, 12);

    RECT box{5, 5, 5, 5};
    EXPECT_EQ(DrawTextA(surface.dc(), "&File\r\nX", -1, &box, DT_CALCRECT), 24);
    EXPECT_EQ(box.bottom, 5 + 24);
    SIZE file;
    GetTextExtentPoint32A(surface.dc(), "File", 4, &file);
    EXPECT_EQ(box.right, 5 + file.cx); // "&" is not measured
    RECT single{0, 0, 0, 0};
    EXPECT_EQ(DrawTextA(surface.dc(), "a\r\nb", -1, &single, DT_CALCRECT | DT_SINGLELINE), 12);

    // Right-aligned and vertically centred: ink ends at the right edge.
    RECT area{0, 0, 100, 40};
    SetBkMode(surface.dc(), TRANSPARENT);
    DrawTextA(surface.dc(), "&F", -1, &area, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
    const RECT ink = inkBox(surface, 100, 40, kWhite);
    EXPECT_LE(ink.right, 100);
    EXPECT_GE(ink.right, 95);
    EXPECT_GE(ink.top, 14 - 1);
    // The "&" underlines F at y = top + ascent + 1.
    EXPECT_EQ(ink.bottom, 14 + metrics.tmAscent + 2);

    // Opaque ExtTextOut fills the rectangle with the background colour.
    SetBkColor(surface.dc(), platform::win::RGB(0, 0, 255));
    const RECT fill{0, 0, 10, 10};
    EXPECT_TRUE(ExtTextOutA(surface.dc(), 0, 0, ETO_OPAQUE, &fill, "", 0, nullptr));
    EXPECT_EQ(surface.at(9, 9), platform::win::RGB(0, 0, 255));
    SelectObject(surface.dc(), old);
    DeleteObject(handle);
}

TEST(SystemValues, MetricsNonClientRecordAndOleColours) {
    EXPECT_EQ(GetSystemMetrics(SM_CXEDGE), 2);
    EXPECT_EQ(GetSystemMetrics(SM_CXMENUCHECK), 13);
    EXPECT_EQ(GetSystemMetrics(SM_CYMENU), 19);
    EXPECT_EQ(GetSystemMetrics(SM_CXSMICON), 16);
    NONCLIENTMETRICSA metrics;
    EXPECT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 340, &metrics, 0));
    EXPECT_EQ(metrics.iCaptionHeight, 18);
    EXPECT_EQ(metrics.lfCaptionFont.lfWeight, 700);
    EXPECT_EQ(metrics.lfMenuFont.lfHeight, -12);
    EXPECT_EQ(metrics.lfMenuFont.lfCharSet, SHIFTJIS_CHARSET);
    NONCLIENTMETRICSA wrong;
    wrong.cbSize = 344;
    EXPECT_FALSE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 344, &wrong, 0));

    COLORREF color = 1;
    EXPECT_EQ(OleTranslateColor(0x8000000F, 0, &color), S_OK);
    EXPECT_EQ(color, 0xC8D0D4u);
    EXPECT_EQ(OleTranslateColor(0x80000000 + COLOR_GRADIENTACTIVECAPTION, 0, &color), S_OK);
    EXPECT_EQ(color, 0xF0CAA6u);
    EXPECT_EQ(OleTranslateColor(0x00123456, 0, &color), S_OK);
    EXPECT_EQ(color, 0x123456u);
    EXPECT_EQ(OleTranslateColor(0x80000040, 0, &color), E_INVALIDARG);
    EXPECT_EQ(OleTranslateColor(0x40000000, 0, nullptr), E_INVALIDARG);
    EXPECT_EQ(OleTranslateColor(0x80000005, 0, nullptr), S_OK);
}
