// The control's methods and properties as a host program uses them.
#include "menuctl/ZephaltForm.h"
#include "menuctl/engine/ShortcutText.h"
#include "platform/forms/MenuControl.h"
#include "platform/win/Menus.h"

using namespace zephalt_test;

TEST_F(ZephaltForm, ShortcutKeysChangeTheHostsKeysAndTheShownText) {
    addControl(QStringLiteral("Zephalt1"));
    load();
    zephalt::OwnerDrawMenu& odm = control();
    platform::forms::MenuControl& open = *form->menuControl(QStringLiteral("mnuFileOpen"));
    EXPECT_EQ(odm.ChangeShortCutKey(QStringLiteral("mnuFileOpen"), 16), 15);
    EXPECT_EQ(open.shortcut(), 16);
    EXPECT_EQ(odm.MenuItems().Item(QStringLiteral("mnuFileOpen")).ShortCutQue(),
              QStringLiteral("Ctrl+P"));
    // Through the control object too, and back to none.
    EXPECT_EQ(odm.ChangeShortCutKey(&open, 0), 16);
    EXPECT_EQ(odm.MenuItems().Item(QStringLiteral("mnuFileOpen")).ShortCutQue(), QString());
    // Names the form does not have, and command identifiers, change nothing.
    EXPECT_EQ(odm.ChangeShortCutKey(QStringLiteral("mnuNoSuch"), 3), 0);
    EXPECT_EQ(odm.ChangeShortCutKey(std::int64_t{open.commandId()}, 3), 0);
    EXPECT_EQ(open.shortcut(), 0);
}

TEST(ShortcutText, EveryRowOfTheTable) {
    const std::pair<int, const char*> rows[] = {
        {0, ""},
        {1, "Ctrl+A"},
        {26, "Ctrl+Z"},
        {27, "F1"},
        {38, "F12"},
        {39, "Ctrl+F1"},
        {50, "Ctrl+F12"},
        {51, "Shift+F1"},
        {62, "Shift+F12"},
        {63, "Shift+Ctrl+F1"},
        {74, "Shift+Ctrl+F12"},
        {75, "Ctrl+Ins"},
        {76, "Shift+Ins"},
        {77, "Del"},
        {78, "Shift+Del"},
        {79, "Alt+Bksp"},
        {80, ""},
        {-1, ""},
    };
    for (const auto& [code, text] : rows) {
        EXPECT_EQ(zephalt::shortcutText(code), QString::fromLatin1(text)) << code;
    }
}

TEST_F(ZephaltForm, GroupsWalkTheSiblingsFromStartToEnd) {
    addControl(QStringLiteral("Zephalt1"));
    load();
    zephalt::OwnerDrawMenu& odm = control();
    auto group = [&](int i) {
        return odm.MenuItems().Item(QStringLiteral("mnuViewAutoRefresh_time(%1)").arg(i)).Group;
    };
    odm.GroupItem(QStringLiteral("mnuViewAutoRefresh_time(2)"), std::nullopt);
    EXPECT_EQ(group(1), zephalt::zxGS_Nothing);
    EXPECT_EQ(group(2), zephalt::zxGS_Check); // only the start item
    EXPECT_EQ(group(3), zephalt::zxGS_Nothing);
    // An end that is never met stops at the last sibling.
    odm.GroupItem(QStringLiteral("mnuViewAutoRefresh_time(6)"), QStringLiteral("mnuFileOpen"),
                  zephalt::zxGS_Radio);
    EXPECT_EQ(group(5), zephalt::zxGS_Nothing);
    EXPECT_EQ(group(6), zephalt::zxGS_Radio);
    EXPECT_EQ(group(8), zephalt::zxGS_Radio);
}

TEST_F(ZephaltForm, PropertiesKeepTheirRangesAndTellTheForm) {
    // Image sizes take effect while stored properties are read, before the
    // twenty built-in images fill the list; 7 and 65 are out of range.
    addControl(QStringLiteral("Zephalt1"),
               {{QStringLiteral("ImageHeight"), 64}, {QStringLiteral("ImageWidth"), 7}});
    load();
    zephalt::OwnerDrawMenu& odm = control();
    EXPECT_EQ(odm.ImageHeight(), 64);
    EXPECT_EQ(odm.ImageWidth(), 16);
    EXPECT_EQ(odm.ImageList().ImageHeight(), 64);
    EXPECT_EQ(odm.ImageList().Count(), 20); // pairs 1 to 10
    EXPECT_EQ(odm.ImageList().GetIcon(1)->height, 64);
    EXPECT_EQ(odm.StandardImageCount, 20);
    // Only the built-in glyphs in the list: they are drawn again at the new
    // size. With a picture of an item there, later sizes are ignored.
    odm.setImageHeight(32);
    EXPECT_EQ(odm.ImageHeight(), 32);
    EXPECT_EQ(odm.ImageList().Count(), 20);
    EXPECT_EQ(odm.ImageList().GetIcon(1)->height, 32);
    odm.MenuItems()
        .Item(QStringLiteral("mnuFileOpen"))
        .setUnCheckedIcon(zephalt::IconPixels::blank(16, 32));
    odm.setImageHeight(24);
    odm.setImageWidth(8);
    EXPECT_EQ(odm.ImageHeight(), 32);
    EXPECT_EQ(odm.ImageWidth(), 16);
    odm.setCursorStyle(6); // not a style
    odm.setCursorStyle(zephalt::zxCS_CoolBar);
    odm.setMenuBar(0x00FF00);
    odm.setHotSelectText(255); // its default: no change
    odm.setHotSelectText(0x00FFFF);
    EXPECT_EQ(odm.TitleBars().HotSelectText(), 0x00FFFFu);
    EXPECT_EQ(form->changedProperties(),
              (QStringList{"Zephalt1.ImageHeight", "Zephalt1.CursorStyle", "Zephalt1.MenuBar",
                           "Zephalt1.HotSelectText"}));
    EXPECT_EQ(odm.TitleBars().ItemEx(0)->CursorStyle, zephalt::zxCS_Normal); // keeps its own
    EXPECT_EQ(odm.TitleBars().ItemEx(0)->MenuBar, 0x00FF00u);
}

TEST_F(ZephaltForm, VersionAndAboutBox) {
    addControl(QStringLiteral("Zephalt1"));
    load();
    EXPECT_EQ(control().Version(), QStringLiteral("1.00Build(1)"));
    control().ShowAboutDialog();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, QStringLiteral("Zephalt Ver 1.00Build(1)"));
    EXPECT_EQ(messages[0].title, QStringLiteral("About"));
    EXPECT_EQ(messages[0].icon, platform::MsgIcon::Information);
}

TEST_F(ZephaltForm, ASecondControlPlacedOnAFormIsWarnedAboutOnce) {
    addControl(QStringLiteral("Zephalt1"));
    load(false);
    form->placeControl(zephalt::ClassName, QStringLiteral("Zephalt2"));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].title, QStringLiteral("警告"));
    EXPECT_EQ(messages[0].icon, platform::MsgIcon::Critical);
    EXPECT_EQ(messages[0].text,
              QStringLiteral("本コントロールは１つのフォームに１つしか配置できません。\r\n"
                             "２つ以上有る場合、誤動作の原因になります。\r\n"
                             "削除してください。"));
    EXPECT_EQ(form->controls().size(), 2u); // the new one stays
    // Loading a form that already has two says nothing.
    messages.clear();
    addControl(QStringLiteral("Zephalt2"));
    load(false);
    EXPECT_TRUE(messages.empty());
}

TEST_F(ZephaltForm, APictureThatCannotBeConvertedIsReported) {
    addControl(QStringLiteral("Zephalt1"));
    load();
    control().SetItemImage(QStringLiteral("mnuFileOpen"), zephalt::IconPixels{},
                           zephalt::zxMI_UnCheckedImage);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, QStringLiteral("ピクチャデータが異常です。"));
    EXPECT_EQ(messages[0].icon, platform::MsgIcon::Critical);
    EXPECT_EQ(control().MenuItems().Item(QStringLiteral("mnuFileOpen")).UnCheckedIndex, 0);
    control().SetItemImage(QStringLiteral("mnuFileOpen"), zephalt::IconPixels::blank(16, 16),
                           zephalt::zxMI_UnCheckedImage);
    EXPECT_EQ(messages.size(), 1u);
}
