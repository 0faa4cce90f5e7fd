// The item key, the lists, and the colour and pixel rules, without a window.
#include "menuctl/ZephaltForm.h"
#include "menuctl/engine/ColourSpace.h"
#include "menuctl/engine/PixelRules.h"
#include "platform/forms/MenuControl.h"
#include "platform/runtime/RuntimeError.h"

using namespace zephalt;
using zephalt_test::ZephaltForm;

TEST_F(ZephaltForm, ItemKeysOfMenusTextsAndNumbers) {
    load(false);
    EXPECT_EQ(MakeItemKey(*form->menuControl(QStringLiteral("mnuViewAutoRefresh_time"), 3)),
              QStringLiteral("mnuViewAutoRefresh_time(3)"));
    EXPECT_EQ(MakeItemKey(*form->menuControl(QStringLiteral("mnuFileOpen"))),
              QStringLiteral("mnuFileOpen"));
    EXPECT_EQ(MakeItemKey(QStringLiteral("mnuFile(3)")), QStringLiteral("mnuFile(3)"));
    EXPECT_EQ(MakeItemKey(std::int64_t{61536}), QStringLiteral(":0000F060"));
    EXPECT_EQ(MakeItemKey(std::int64_t{-1}), QStringLiteral(":FFFFFFFF"));
    EXPECT_EQ(MakeItemKey(std::int64_t{0x1ABCDEF12}), QStringLiteral(":ABCDEF12"));
}

TEST(MenuItems, KeysAreCaseSensitiveAndItemsAreFoundOrMade) {
    clsImageList images;
    clsMenuItems items;
    items.ParentImageList = &images;
    items.setMaskColor(0x123456);
    clsMenuItem& first = items.Item(QStringLiteral("mnuFile"));
    EXPECT_EQ(items.NewIndex, 0);
    EXPECT_EQ(first.ParentMaskColor, 0x123456u);
    items.Item(QStringLiteral("MNUFILE"));
    EXPECT_EQ(items.NewIndex, 1);
    EXPECT_EQ(&items.Item(QStringLiteral("mnuFile")), &first);
    EXPECT_EQ(items.NewIndex, -1);
    EXPECT_EQ(items.byItemData(0), nullptr);
    EXPECT_EQ(items.byItemData(3), nullptr);
    EXPECT_EQ(items.byItemData(1), &first);

    // The first checked image makes a pair (image, grey copy); later ones reuse it.
    IconPixels red = IconPixels::blank(16, 16);
    red.setPixel(0, 0, 0x0000FF);
    first.setCheckedIcon(red);
    EXPECT_EQ(first.CheckedIndex, 1);
    EXPECT_EQ(images.Count(), 2);
    EXPECT_EQ(images.GetIcon(2)->pixel(0, 0), 0x4C4C4Cu); // round(0.3 × 255) = 76
    first.setCheckedIcon(red, 1);
    EXPECT_EQ(images.Count(), 2);
    EXPECT_EQ(images.GetIcon(2)->pixel(0, 0), 0x0000FFu);
    EXPECT_TRUE(first.IsRegist(0) && first.IsRegist(1));
    first.setCheckedIcon(IconPixels{}); // not an icon: nothing happens
    EXPECT_EQ(images.Count(), 2);
    EXPECT_FALSE(images.GetIcon(0));
    EXPECT_FALSE(images.GetIcon(-1));
}

TEST(TitleBars, RemovingABarKeepsEveryItemsIndexValid) {
    clsMenuItems items;
    clsTitlebars bars;
    bars.ParentMenuItems = &items;
    bars.Item(std::int64_t{0}).MenuName = QString();
    bars.Item(QStringLiteral("mnuFileOpen"));
    bars.Item(QStringLiteral("mnuViewStop"));
    bars.Item(QStringLiteral("mnuHelpShowHelp"));
    items.Item(QStringLiteral("a")).TitleBarIndex = 1;
    items.Item(QStringLiteral("b")).TitleBarIndex = 2;
    items.Item(QStringLiteral("c")).TitleBarIndex = 3;
    items.Item(QStringLiteral("d")).TitleBarIndex = 0;
    bars.Remove(QStringLiteral("mnuViewStop"));
    EXPECT_EQ(bars.Count(), 3);
    EXPECT_EQ(items.Item(QStringLiteral("a")).TitleBarIndex, 1);
    EXPECT_EQ(items.Item(QStringLiteral("b")).TitleBarIndex,
              -1);                                               // assigned again at its next popup
    EXPECT_EQ(items.Item(QStringLiteral("c")).TitleBarIndex, 2); // moved down with its bar
    EXPECT_EQ(bars.ItemEx(2)->MenuName, QStringLiteral("mnuHelpShowHelp"));
    bars.Remove(QStringLiteral("nothing"));
    bars.Remove(QString()); // the default bar stays
    EXPECT_EQ(bars.Count(), 3);
    EXPECT_EQ(items.Item(QStringLiteral("d")).TitleBarIndex, 0);
}

TEST(TitleBars, OnlyRealChangesMarkTheBarAndTheColourIndexIsChecked) {
    clsTitlebar bar;
    EXPECT_EQ(bar.BackStyle(), zxBG_Hide);
    EXPECT_EQ(bar.Width(), 18);
    bar.Make = false;
    bar.setBackStyle(zxBG_Hide);
    bar.setCaption(QString());
    bar.setBackColor(0, SystemColour(2));
    EXPECT_FALSE(bar.Make);
    bar.setCaptionFillStyle(20);
    EXPECT_TRUE(bar.Make);
    bar.Make = false;
    bar.setFont(bar.Font()); // the font always does
    EXPECT_TRUE(bar.Make);
    EXPECT_THROW(bar.setBackColor(2, 0), platform::RuntimeError);
    EXPECT_THROW(bar.BackColor(-1), platform::RuntimeError);
}

TEST(ColourSpace, HueSaturationValueWithFourDecimals) {
    const Hsv orange = RgbToHsv(0x0080FF); // R 255, G 128, B 0
    EXPECT_DOUBLE_EQ(orange.h, 30.1176);
    EXPECT_DOUBLE_EQ(orange.s, 1);
    EXPECT_DOUBLE_EQ(orange.v, 255);
    const Hsv caption = RgbToHsv(SystemColour(2)); // 10, 36, 106
    EXPECT_DOUBLE_EQ(caption.h, 223.75);
    EXPECT_DOUBLE_EQ(caption.s, 0.9057);
    const Hsv magenta = RgbToHsv(0xFF00FF);
    EXPECT_DOUBLE_EQ(magenta.h, 300);
    EXPECT_EQ(HsvToRgb(orange.h, orange.s, orange.v), 0x0080FFu);
    EXPECT_EQ(HsvToRgb(0, 0, 127.5), 0x808080u); // halves to even: 128
    EXPECT_EQ(HsvToRgb(0, 0, 126.5), 0x7E7E7Eu); // 126
    EXPECT_EQ(HsvToRgb(360, 1, 255), 0u);        // a sixth sector does not exist: black
}

TEST(ColourSpace, GradientsHaveOneColourMoreThanTheirLength) {
    const auto flat = gradientColours(0x336699, 0x336699, zxBG_Rainbow, 10, 5);
    ASSERT_EQ(flat.size(), 6u);
    for (auto c : flat) {
        EXPECT_EQ(c, 0x336699u);
    }
    const auto ramp = gradientColours(0x000000, 0x0000FF, zxBG_HNormal, 4, 99);
    EXPECT_EQ(ramp, (std::vector<std::uint32_t>{0x00, 0x3F, 0x7F, 0xBF, 0xFF})); // round(63.75i)\4
    const auto hue = gradientColours(0x0000FF, 0xFF0000, zxBG_Rainbow, 1, 2);
    ASSERT_EQ(hue.size(), 3u);
    EXPECT_EQ(hue[0], 0x0000FFu);
    EXPECT_EQ(hue[1], 0x00FF00u); // hue 120: halfway from red to blue goes through green
    EXPECT_EQ(hue[2], 0xFF0000u);
    EXPECT_EQ(gradientColours(0x000010, 0x0000FF, 0, 5, 0), std::vector<std::uint32_t>{0x10});
}

TEST(PixelRules, GreyNegativeAndBlendKeepTheMask) {
    IconPixels icon = IconPixels::blank(2, 1);
    icon.setPixel(0, 0, 0x0A141E); // R 30, G 20, B 10
    icon.setPixel(1, 0, 0xFFFFFF);
    icon.setTransparent(1, 0, true);
    const IconPixels grey = MakeGrayIcon(icon);
    EXPECT_EQ(grey.pixel(0, 0), 0x161616u); // 9 + 12 + 1
    EXPECT_EQ(grey.mask, icon.mask);
    const IconPixels negative = MakeNegativeIcon(icon);
    EXPECT_EQ(negative.pixel(0, 0), 0xF5EBE1u);
    EXPECT_EQ(negative.pixel(1, 0), 0u); // transparent pixels are cleared
    const IconPixels blend = MakeBlendedIcon(icon, 0x0000FF);
    EXPECT_EQ(blend.pixel(0, 0), 0x050A8Eu); // (30 + 255) / 2 = 142
    EXPECT_EQ(blend.pixel(1, 0), 0u);
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(3.5), 4);
    // The checker covers every other pixel, starting beside the corner.
    EXPECT_FALSE(checkerCovers(0, 0));
    EXPECT_TRUE(checkerCovers(1, 0));
    EXPECT_TRUE(checkerCovers(0, 1));
    EXPECT_FALSE(checkerCovers(8, 0));
    EXPECT_TRUE(checkerCovers(9, 0));
}

TEST(MenuItems, PicturesSetAndRemovedReuseTheirPair) {
    clsImageList images;
    clsMenuItems items;
    items.ParentImageList = &images;
    clsMenuItem& item = items.Item(QStringLiteral("mnuFileOpen"));
    IconPixels blue = IconPixels::blank(16, 16);
    blue.setPixel(3, 3, 0xFF0000);
    EXPECT_TRUE(item.SetImage(blue, zxMI_CheckedImage));
    EXPECT_EQ(item.CheckedIndex, 1);
    EXPECT_TRUE(item.IsRegist(0));
    item.Changed = false;
    EXPECT_TRUE(item.SetImage(std::nullopt, zxMI_CheckedImage));
    EXPECT_EQ(item.CheckedIndex, -1); // kept in the list, without an owner
    EXPECT_FALSE(item.IsRegist(0));
    EXPECT_TRUE(item.SetImage(blue, zxMI_UnCheckedImage));
    EXPECT_EQ(item.UnCheckedIndex, 3);
    EXPECT_TRUE(item.SetImage(blue, zxMI_CheckedImage));
    EXPECT_EQ(item.CheckedIndex, 1); // the same two entries again
    EXPECT_EQ(images.Count(), 4);
    // The alternate image, then back to the grey copy.
    EXPECT_TRUE(item.SetImage(IconPixels::blank(16, 16), zxMI_CheckedImage, 1));
    EXPECT_TRUE(item.IsRegist(1));
    EXPECT_TRUE(item.SetImage(std::nullopt, zxMI_CheckedImage, 1));
    EXPECT_FALSE(item.IsRegist(1));
    EXPECT_EQ(images.GetIcon(2), MakeGrayIcon(blue));
    // A picture that could not be converted is refused for the caller to report.
    EXPECT_FALSE(item.SetImage(IconPixels{}, zxMI_ItemImage));
    EXPECT_FALSE(item.ItemIcon(0));
    EXPECT_TRUE(item.SetImage(blue, zxMI_Separator));
    EXPECT_EQ(item.ItemIcon(0), blue); // the separator picture is the item picture
    EXPECT_EQ(item.ItemIcon(1), MakeGrayIcon(blue));
    EXPECT_FALSE(item.Changed);

    clsTitlebar bar;
    bar.SetImage(IconPixels{}, zxTB_BackPicture);
    EXPECT_EQ(bar.BackStyle(), zxBG_Hide);
    bar.SetImage(blue, zxTB_CaptionPicture);
    EXPECT_EQ(bar.CaptionStyle(), zxCP_Picture);
    EXPECT_EQ(bar.CaptionPicture(), blue);
}

TEST(PixelRules, MaskModesAndTheBorderOnlyFlag) {
    // A white frame around a white hole inside a black ring, red in the corner.
    IconPixels picture = IconPixels::blank(7, 7);
    for (int y = 0; y < 7; ++y) {
        for (int x = 0; x < 7; ++x) {
            const bool ring =
                x >= 1 && x <= 5 && y >= 1 && y <= 5 && !(x >= 2 && x <= 4 && y >= 2 && y <= 4);
            picture.setPixel(x, y, ring ? 0x000000 : 0xFFFFFF);
        }
    }
    picture.setPixel(6, 6, 0x0000FF);
    const IconPixels value = maskByKey(picture, zxMM_Value, 0xFFFFFF);
    EXPECT_TRUE(value.transparent(0, 0));
    EXPECT_TRUE(value.transparent(3, 3)); // the hole too
    EXPECT_FALSE(value.transparent(1, 1));
    EXPECT_FALSE(value.transparent(6, 6));
    const IconPixels round = maskByKey(picture, zxMM_Value | zxMM_Round, 0xFFFFFF);
    EXPECT_TRUE(round.transparent(0, 0));
    EXPECT_FALSE(round.transparent(3, 3)); // enclosed: stays opaque
    EXPECT_EQ(round.pixel(3, 3), 0xFFFFFFu);
    EXPECT_EQ(round.pixel(0, 0), 0u); // transparent pixels are cleared
    const IconPixels corner = maskByKey(picture, zxMM_RBPixel | zxMM_Round, 0);
    EXPECT_TRUE(corner.transparent(6, 6));
    EXPECT_FALSE(corner.transparent(0, 0));
    const IconPixels opaque = maskByKey(picture, zxMM_Nothing, 0xFFFFFF);
    EXPECT_EQ(opaque.mask, QByteArray(opaque.mask.size(), '\0'));
}
