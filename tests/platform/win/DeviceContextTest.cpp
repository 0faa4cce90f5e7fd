#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Painting.h"
#include "platform/gdi/SystemColors.h"
#include "platform/gdi/Text.h"
#include "platform/text/Codepage.h"

#include <gtest/gtest.h>

#include <QImage>

using namespace platform::gdi;
using platform::win::FALSE;
using platform::win::RGB;
using platform::win::TRUE;

namespace {

// A white image with a DC over it, released at the end of the test.
class ImageDC {
public:
    explicit ImageDC(QSize size = QSize(200, 60)) : image_(size, QImage::Format_RGB32) {
        image_.fill(Qt::white);
        dc_ = createImageDC(&image_);
    }
    ~ImageDC() { release(); }
    HDC dc() const { return dc_; }
    // The image as drawn so far (the painter is flushed by ending it).
    const QImage& finished() {
        release();
        return image_;
    }

private:
    void release() {
        if (dc_)
            releaseImageDC(dc_);
        dc_ = 0;
    }
    QImage image_;
    HDC dc_ = 0;
};

// The box of non-white pixels, empty when there are none.
QRect inkBox(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) != QColor(Qt::white))
                box |= QRect(x, y, 1, 1);
    return box;
}

RECT rectOf(int left, int top, int right, int bottom) {
    return RECT{left, top, right, bottom};
}

} // namespace

TEST(DeviceContext, NewContextHasThePlatformDefaultsAndSettersReturnThePreviousValue) {
    ImageDC image;
    EXPECT_EQ(GetTextColor(image.dc()), 0x000000u);
    EXPECT_EQ(GetBkColor(image.dc()), 0xFFFFFFu);
    EXPECT_EQ(GetBkMode(image.dc()), OPAQUE);
    EXPECT_EQ(SetTextColor(image.dc(), 0x0000FF), 0x000000u);
    EXPECT_EQ(SetTextColor(image.dc(), 0x00FF00), 0x0000FFu);
    EXPECT_EQ(SetBkMode(image.dc(), TRANSPARENT), OPAQUE);
    EXPECT_EQ(SetBkMode(image.dc(), 7), 0); // not a mode
    EXPECT_EQ(GetBkMode(image.dc()), TRANSPARENT);

    QImage empty;
    EXPECT_EQ(createImageDC(&empty), 0u);
    EXPECT_EQ(createImageDC(nullptr), 0u);
}

TEST(DeviceContext, FillRectCoversExactlyTheRectangleWithRightAndBottomExclusive) {
    ImageDC image;
    const HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    const RECT rect = rectOf(10, 5, 20, 15);
    EXPECT_EQ(FillRect(image.dc(), &rect, red), 1);
    // A system colour index + 1 serves as a brush.
    const RECT second = rectOf(30, 5, 32, 7);
    EXPECT_EQ(FillRect(image.dc(), &second, static_cast<HBRUSH>(syscolor::Highlight + 1)), 1);
    const QImage& result = image.finished();

    EXPECT_EQ(inkBox(result.copy(0, 0, 25, 60)), QRect(10, 5, 10, 10));
    EXPECT_EQ(result.pixelColor(10, 5), QColor(255, 0, 0));
    EXPECT_EQ(result.pixelColor(19, 14), QColor(255, 0, 0));
    EXPECT_EQ(result.pixelColor(20, 14), QColor(Qt::white));
    EXPECT_EQ(result.pixelColor(31, 6), sysColor(syscolor::Highlight));

    EXPECT_EQ(DeleteObject(red), TRUE);
    EXPECT_EQ(DeleteObject(red), FALSE);
}

TEST(DeviceContext, CallsOnUnknownHandlesFailWithoutDrawing) {
    ImageDC image;
    const RECT rect = rectOf(0, 0, 10, 10);
    EXPECT_EQ(FillRect(image.dc(), &rect, 0x7FFFFFF), 0); // no such brush
    EXPECT_EQ(FillRect(0x7FFFFFF, &rect, 1), 0);          // no such DC
    RECT text = rect;
    EXPECT_EQ(DrawTextA(0x7FFFFFF, "x", -1, &text, 0), 0);
    EXPECT_EQ(inkBox(image.finished()), QRect());
}

TEST(DrawText, CalcRectMeasuresWithoutDrawingAndDropsPrefixes) {
    ImageDC image;
    SIZE plain;
    ASSERT_EQ(GetTextExtentPoint32A(image.dc(), "Hello", 5, &plain), TRUE);
    ASSERT_GT(plain.cx, 0);

    RECT measured = rectOf(5, 7, 6, 8);
    const int height = DrawTextA(image.dc(), "&Hello", -1, &measured, DT_CALCRECT);
    EXPECT_EQ(height, plain.cy);
    EXPECT_EQ(measured.right - measured.left, plain.cx); // "&" takes no room
    EXPECT_EQ(measured.bottom - measured.top, plain.cy);

    RECT literal = rectOf(0, 0, 0, 0);
    DrawTextA(image.dc(), "&Hello", -1, &literal, DT_CALCRECT | DT_NOPREFIX);
    EXPECT_GT(literal.right, plain.cx);

    SIZE ampersand;
    GetTextExtentPoint32A(image.dc(), "&", 1, &ampersand);
    RECT doubled = rectOf(0, 0, 0, 0);
    DrawTextA(image.dc(), "&&", -1, &doubled, DT_CALCRECT);
    EXPECT_EQ(doubled.right, ampersand.cx);

    RECT lines = rectOf(0, 0, 0, 0);
    EXPECT_EQ(DrawTextA(image.dc(), "a\r\nb\nc", -1, &lines, DT_CALCRECT), 3 * plain.cy);
    RECT single = rectOf(0, 0, 0, 0);
    EXPECT_EQ(DrawTextA(image.dc(), "a\r\nb", -1, &single, DT_CALCRECT | DT_SINGLELINE), plain.cy);
    // An explicit count stops early; zero draws nothing.
    RECT counted = rectOf(0, 0, 0, 0);
    DrawTextA(image.dc(), "HelloWorld", 5, &counted, DT_CALCRECT);
    EXPECT_EQ(counted.right, plain.cx);
    EXPECT_EQ(DrawTextA(image.dc(), "Hello", 0, &counted, 0), 0);
    EXPECT_EQ(inkBox(image.finished()), QRect());
}

TEST(DrawText, AlignmentPlacesTheTextInsideTheRectangle) {
    const RECT box = rectOf(20, 10, 180, 50);
    auto drawn = [&box](UINT format) {
        ImageDC image;
        SetBkMode(image.dc(), TRANSPARENT);
        RECT rect = box;
        DrawTextA(image.dc(), "Menu", -1, &rect, format);
        return inkBox(image.finished());
    };
    const QRect left = drawn(DT_LEFT | DT_TOP);
    const QRect right = drawn(DT_RIGHT);
    const QRect centred = drawn(DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    const QRect inside(20, 10, 160, 40);
    for (const QRect& ink : {left, right, centred}) {
        ASSERT_FALSE(ink.isEmpty());
        EXPECT_TRUE(inside.contains(ink)) << ink.x() << "," << ink.y();
    }
    EXPECT_LT(left.left(), 25);
    EXPECT_GT(right.right(), 170);
    const int middleX = (centred.left() + centred.right()) / 2;
    const int middleY = (centred.top() + centred.bottom()) / 2;
    EXPECT_NEAR(middleX, 100, 4);
    EXPECT_NEAR(middleY, 30, 5);
    EXPECT_LT(left.top(), centred.top()); // DT_VCENTER moved it down
}

TEST(DrawText, OpaqueModeFillsBehindTheTextAndThePrefixIsUnderlined) {
    RECT rect = rectOf(0, 0, 200, 60);
    {
        ImageDC image;
        SetBkColor(image.dc(), RGB(0, 255, 0));
        DrawTextA(image.dc(), "Hi", -1, &rect, 0);
        EXPECT_EQ(image.finished().pixelColor(0, 0), QColor(0, 255, 0));
    }
    // Underlined and not: the underline adds ink below the baseline.
    auto inkOf = [&rect](const char* text, UINT format) {
        ImageDC image;
        SetBkMode(image.dc(), TRANSPARENT);
        RECT copy = rect;
        DrawTextA(image.dc(), text, -1, &copy, format);
        return inkBox(image.finished());
    };
    const QRect mnemonic = inkOf("&o", 0);
    const QRect plainO = inkOf("o", DT_NOPREFIX);
    ASSERT_FALSE(plainO.isEmpty());
    EXPECT_GT(mnemonic.bottom(), plainO.bottom());
    EXPECT_EQ(mnemonic.left(), plainO.left()); // the "&" itself takes no room
}

TEST(DrawText, JapaneseTextInCodePage932IsDrawn) {
    ImageDC image;
    const QByteArray text = platform::text::encodeCp932(QStringLiteral("表示(&V)"));
    RECT rect = rectOf(0, 0, 200, 60);
    RECT measure = rect;
    EXPECT_GT(DrawTextA(image.dc(), text.constData(), -1, &measure, DT_CALCRECT), 0);
    SIZE word;
    const QByteArray plain = platform::text::encodeCp932(QStringLiteral("表示(V)"));
    GetTextExtentPoint32A(image.dc(), plain.constData(), static_cast<int>(plain.size()), &word);
    EXPECT_EQ(measure.right, word.cx);
    SetBkMode(image.dc(), TRANSPARENT);
    DrawTextA(image.dc(), text.constData(), -1, &rect, 0);
    EXPECT_FALSE(inkBox(image.finished()).isEmpty());
}
