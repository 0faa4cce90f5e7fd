// The File pop-up of a form carrying the control, opened by the menu manager
// and photographed: the selected item in each of the six styles, and side
// bars with a colour gradient, a hue gradient and a vertical caption. The
// expected pixels come from the drawing rules worked by hand.
#include "menuctl/ZephaltForm.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/MenuManager.h"
#include "platform/win/MenuPopup.h"
#include "platform/win/Menus.h"
#include <QDir>
#include <QImage>
#include <QTimer>

using namespace platform::win;
using namespace zephalt_test;

namespace {

constexpr QRgb MenuColour = 0xD4D0C8; // system colour 4
constexpr QRgb Highlight = 0x0A246A;  // system colour 13
constexpr int Frame = 3;              // the pop-up's frame around its items
constexpr int IconCentre = 2 + 8;     // inside the 20-pixel image box of an item at 0

zephalt::IconPixels filled(std::uint32_t colorref) {
    zephalt::IconPixels icon = zephalt::IconPixels::blank(16, 16);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            icon.setPixel(x, y, colorref);
        }
    }
    return icon;
}

class StylesAndBars : public ZephaltForm {
protected:
    void SetUp() override {
        addControl(QStringLiteral("Zephalt1"));
        load();
        control()
            .MenuItems()
            .Item(QStringLiteral("mnuFileOpen"))
            .setUnCheckedIcon(filled(0x0000FF));
        control()
            .MenuItems()
            .Item(QStringLiteral("mnuFileExit"))
            .setUnCheckedIcon(filled(0x00FF00));
        form->menuControl(QStringLiteral("mnuFileExit"))->setEnabled(false);
    }
    // The File pop-up with its first item selected, as shown.
    QImage openFile(const QString& shotName) {
        QImage shot;
        QTimer::singleShot(0, [&] {
            MenuTracker::highlight(0);
            if (MenuPopup* popup = MenuTracker::popup(0)) {
                shot = popup->grab().toImage();
            }
            MenuTracker::close();
        });
        TrackPopupMenu(subMenu("mnuFile"), 0, 40, 40, 0, hwnd(), nullptr);
        const QString folder = qEnvironmentVariable("QUILLET_ZEPHALT_SHOTS");
        if (!folder.isEmpty() && !shot.isNull()) {
            shot.save(QDir(folder).filePath(shotName + QStringLiteral(".png")));
        }
        return shot;
    }
    static QRgb at(const QImage& shot, int x, int y) {
        return shot.pixel(Frame + x, Frame + y) & 0xFFFFFF;
    }
    static int count(const QImage& shot, QRect area, QRgb colour) {
        int found = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                found += at(shot, x, y) == colour ? 1 : 0;
            }
        }
        return found;
    }
};

} // namespace

TEST_F(StylesAndBars, TheSelectedItemFollowsEachStyleTable) {
    struct Expect {
        QRgb background; // far right in the selected item: the text's background
        QRgb icon;       // the centre of its picture
    };
    // Red picture: negative cyan in style 0, blended with the highlight in
    // style 5 ((255 + 10) / 2, 36 / 2, 106 / 2).
    const Expect expected[6] = {{Highlight, 0x00FFFF},  {Highlight, 0xFF0000},
                                {Highlight, 0xFF0000},  {MenuColour, 0xFF0000},
                                {MenuColour, 0xFF0000}, {Highlight, qRgb(132, 18, 53) & 0xFFFFFF}};
    for (int style = 0; style < 6; ++style) {
        SCOPED_TRACE(style);
        control().setCursorStyle(style);
        const QImage shot = openFile(QStringLiteral("style-%1").arg(style));
        ASSERT_FALSE(shot.isNull());
        const int right = shot.width() - 2 * Frame - 4;
        EXPECT_EQ(at(shot, right, 10), expected[style].background);
        EXPECT_EQ(at(shot, IconCentre, IconCentre), expected[style].icon);
        // The disabled last item: never its plain green picture; in style 4
        // its grey copy (round(0.6 × 255) = 153) embossed, elsewhere embossed.
        const int lastTop = shot.height() - 2 * Frame - 20;
        EXPECT_EQ(count(shot, QRect(2, lastTop + 2, 16, 16), 0x00FF00), 0);
    }
    // Style 2: the selected picture stands raised (white top-left, grey
    // bottom-right) and its text sits on the highlight.
    control().setCursorStyle(zephalt::zxCS_IconMenu);
    QImage shot = openFile(QStringLiteral("style-2"));
    EXPECT_EQ(at(shot, 0, 0), 0xFFFFFFu);
    EXPECT_EQ(at(shot, 19, 19), 0x808080u);
    EXPECT_EQ(at(shot, 30, 2), Highlight);
    // Style 3: the cursor is a raised frame round the whole item.
    control().setCursorStyle(zephalt::zxCS_CoolBar);
    shot = openFile(QStringLiteral("style-3"));
    const int right = shot.width() - 2 * Frame - 1;
    EXPECT_EQ(at(shot, right - 1, 0), 0xFFFFFFu);
    EXPECT_EQ(at(shot, right - 1, 19), 0x808080u);
    // Style 4: the selected text in the hot-select colour (red by default).
    control().setCursorStyle(zephalt::zxCS_HotSelect);
    shot = openFile(QStringLiteral("style-4"));
    EXPECT_GT(count(shot, QRect(24, 2, 60, 16), 0xFF0000), 5);
    // Style 5: a focus rectangle of inverted dots round the text on the
    // highlight.
    control().setCursorStyle(zephalt::zxCS_ListView);
    shot = openFile(QStringLiteral("style-5"));
    EXPECT_GT(count(shot, QRect(22, 0, right - 22, 1), Highlight ^ 0xFFFFFF), 10);
}

TEST_F(StylesAndBars, SideBarsAreRenderedBesideTheFirstColumn) {
    openFile(QStringLiteral("unused")); // converts the pop-up and makes its title bar
    zephalt::clsMenuItem& open = control().MenuItems().Item(QStringLiteral("mnuFileOpen"));
    zephalt::clsTitlebar* bar = control().TitleBars().ItemEx(open.TitleBarIndex);
    ASSERT_NE(bar, nullptr);
    bar->setWidth(24);
    bar->setBackColor(0, 0x0000FF); // red
    bar->setBackColor(1, 0xFF0000); // blue
    bar->setBackStyle(zephalt::zxBG_Normal);
    bar->setCaptionStyle(zephalt::zxCP_VText);
    bar->setCaption(QStringLiteral("Quillet"));
    bar->setCaptionColor(0xFFFFFF);

    QImage shot = openFile(QStringLiteral("titlebar-gradient"));
    ASSERT_FALSE(shot.isNull());
    const int height = shot.height() - 2 * Frame;
    EXPECT_EQ(bar->Height, height);
    // Top to bottom, red to blue; the items start right of the bar.
    EXPECT_EQ(at(shot, 1, 0), 0xFF0000u);
    EXPECT_GT(qBlue(at(shot, 1, height - 1)), 240);
    EXPECT_EQ(at(shot, 24 + IconCentre, IconCentre), 0x00FFFFu); // the selected picture, shifted
    // The caption's white ink lies in the bar, in its lower part (fill style
    // 11: bottom, centred across).
    EXPECT_GT(count(shot, QRect(0, height / 2, 24, height / 2), 0xFFFFFF), 10);
    EXPECT_EQ(count(shot, QRect(0, 0, 24, 8), 0xFFFFFF), 0);

    // Left to right by hue, red (0°) to blue (240°): green half way.
    bar->setBackStyle(zephalt::zxBG_HRainbow);
    bar->setCaptionStyle(zephalt::zxCP_Nothing);
    shot = openFile(QStringLiteral("titlebar-rainbow"));
    EXPECT_EQ(at(shot, 0, 5), 0xFF0000u);
    EXPECT_EQ(at(shot, 12, 5), 0x00FF00u);
    EXPECT_EQ(qRed(at(shot, 23, 5)), 0); // hue 230°: blue with a little green
    EXPECT_GT(qBlue(at(shot, 23, 5)), 200);

    // Hidden again: items move back to the left edge.
    bar->setBackStyle(zephalt::zxBG_Hide);
    shot = openFile(QStringLiteral("unused"));
    EXPECT_EQ(at(shot, IconCentre, IconCentre), 0x00FFFFu);
}
