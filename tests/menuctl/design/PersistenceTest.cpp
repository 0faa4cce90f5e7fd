// The control's stored properties through the host form: what a saved form
// holds, that a saved form loads back the same control, and the stored icon
// layout.
#include "menuctl/ZephaltForm.h"
#include "menuctl/design/IconBytes.h"
#include "menuctl/engine/IconHandles.h"
#include "menuctl/engine/PixelRules.h"
#include "platform/forms/FontObject.h"
#include "platform/forms/FormFile.h"
#include "platform/gdi/Icons.h"
#include "platform/win/Menus.h"
#include "platform/win/Messages.h"
#include "support/TempFiles.h"
#include <QTemporaryDir>
#include <QtEndian>

using namespace zephalt;
using platform::forms::FontObject;
using zephalt_test::ZephaltForm;

namespace {

IconPixels sampleIcon(int size, std::uint32_t colour) {
    IconPixels icon = IconPixels::blank(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            icon.setPixel(x, y, (x + y) % 3 == 0 ? colour : 0x102030);
            icon.setTransparent(x, y, x == 0);
        }
    }
    return icon;
}

} // namespace

TEST_F(ZephaltForm, ASavedFormLoadsTheSameControl) {
    addControl(QStringLiteral("Zephalt1"), {{QStringLiteral("_extentx"), 1058}});
    load();
    OwnerDrawMenu& odm = control();
    odm.SystemMenu = true;
    odm.setMenuBar(0x00C0FF);
    odm.setCursorStyle(zxCS_HotSelect);
    FontObject font = odm.Font();
    font.name = QStringLiteral("ＭＳ 明朝");
    font.size = 10.5;
    odm.setFont(font);
    clsMenuItem& open = odm.MenuItems().Item(QStringLiteral("mnuFileOpen"));
    open.setBold(true);
    open.setUnCheckedIcon(sampleIcon(16, 0x0000FF));
    open.setItemIcon(sampleIcon(16, 0x00FF00));
    open.setItemIcon(sampleIcon(16, 0xFF0000), 1);
    odm.BreakItem(QStringLiteral("mnuFileExit"), zxBS_BarBreak);
    odm.GroupItem(QStringLiteral("mnuViewAutoRefresh_time(2)"), std::nullopt, zxGS_Radio);
    odm.MenuItems().Item(QStringLiteral("mnuNotOnThisForm")).setBold(true); // not stored
    clsTitlebar& bar = odm.TitleBars().Item(QStringLiteral("mnuFileOpen"));
    bar.setBackStyle(zxBG_HRainbow);
    bar.setBackColor(1, 0x00FF00);
    bar.setCaption(QStringLiteral("Quillet \"RSS\""));
    bar.setCaptionStyle(zxCP_VText);
    bar.setCaptionFillStyle(20);
    bar.setWidth(24);
    bar.setBackPicture(sampleIcon(32, 0x808000));
    bar.CursorStyle = zxCS_ListView;

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Form1.frm"));
    form->saveFormFile(path);
    const QString text = QString::fromUtf8(testing_support::readBytes(path));
    EXPECT_TRUE(text.contains(QStringLiteral("    MenuItemNames = \"mnuFileOpen mnuFileExit "
                                             "mnuViewAutoRefresh_time(2) \"\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("    TitleBarNames = \"mnuFileOpen \"\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("    mnuFileOpen.UnCheckedIcon(0) = Bytes(840)\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("    _extentx = 1058\r\n")));
    EXPECT_FALSE(text.contains(QStringLiteral("mnuNotOnThisForm")));
    EXPECT_FALSE(text.contains(QStringLiteral("mnuFileOpen.CheckedIcon")));

    const FontObject barFont = bar.Font(); // the first control goes with its form
    form.reset();
    description.controls.clear();
    description.formFile = path;
    load();
    OwnerDrawMenu& back = control();
    EXPECT_TRUE(back.SystemMenu);
    EXPECT_EQ(back.MenuBar(), 0x00C0FFu);
    EXPECT_EQ(back.CursorStyle(), zxCS_HotSelect);
    EXPECT_EQ(back.Font(), font);
    clsMenuItem& open2 = back.MenuItems().Item(QStringLiteral("mnuFileOpen"));
    EXPECT_TRUE(open2.Bold());
    EXPECT_TRUE(open2.IsRegist(2));
    EXPECT_FALSE(open2.IsRegist(3));
    EXPECT_EQ(back.ImageList().GetIcon(open2.UnCheckedIndex), sampleIcon(16, 0x0000FF));
    EXPECT_EQ(open2.ItemIcon(0), sampleIcon(16, 0x00FF00));
    EXPECT_EQ(open2.ItemIcon(1), sampleIcon(16, 0xFF0000));
    EXPECT_EQ(back.MenuItems().Item(QStringLiteral("mnuFileExit")).BreakMode, zxBS_BarBreak);
    EXPECT_EQ(back.MenuItems().Item(QStringLiteral("mnuFileImport")).BreakMode, 0); // never listed
    EXPECT_EQ(back.MenuItems().Item(QStringLiteral("mnuViewAutoRefresh_time(2)")).Group,
              zxGS_Radio);
    clsTitlebar& bar2 = back.TitleBars().Item(QStringLiteral("mnuFileOpen"));
    EXPECT_EQ(back.TitleBars().NewIndex, -1);
    EXPECT_EQ(bar2.BackStyle(), zxBG_HRainbow);
    EXPECT_EQ(bar2.BackColor(0), SystemColour(2));
    EXPECT_EQ(bar2.BackColor(1), 0x00FF00u);
    EXPECT_EQ(bar2.Caption(), QStringLiteral("Quillet \"RSS\""));
    EXPECT_EQ(bar2.CaptionStyle(), zxCP_VText);
    EXPECT_EQ(bar2.CaptionFillStyle(), 20);
    EXPECT_EQ(bar2.Width(), 24);
    EXPECT_EQ(bar2.BackPicture(), sampleIcon(32, 0x808000));
    EXPECT_EQ(bar2.CursorStyle, zxCS_ListView);
    EXPECT_EQ(bar2.Font(), barFont);

    // Saving the loaded form again changes nothing.
    const QString again = dir.filePath(QStringLiteral("again.frm"));
    form->saveFormFile(again);
    EXPECT_EQ(testing_support::readBytes(again), testing_support::readBytes(path));
}

TEST_F(ZephaltForm, DefaultsAreNotStoredAndNewTitleBarsAreListed) {
    addControl(QStringLiteral("Zephalt1"));
    load();
    platform::win::SendMessage(hwnd(), platform::win::WM_INITMENUPOPUP,
                               static_cast<platform::win::WPARAM>(subMenu("mnuFile")), 0);
    const platform::forms::PropertyBag& bag = *form->storedProperties(QStringLiteral("Zephalt1"));
    EXPECT_FALSE(bag.contains(QStringLiteral("MenuItemNames")));
    EXPECT_FALSE(bag.contains(QStringLiteral("ImageHeight")));
    EXPECT_FALSE(bag.contains(QStringLiteral("SystemMenu")));
    EXPECT_TRUE(bag.contains(QStringLiteral("MenuFont"))); // always written
    // A title bar as created has no caption style, so it counts as customised;
    // its caption fill style and width differ from the storage defaults.
    EXPECT_EQ(bag.read(QStringLiteral("titlebarnames")).toString(), QStringLiteral("mnuFileOpen "));
    EXPECT_EQ(bag.read(QStringLiteral("TitleBar(mnuFileOpen).CaptionFillStyle")).toInt(), 11);
    EXPECT_EQ(bag.read(QStringLiteral("TitleBar(mnuFileOpen).Width")).toInt(), 18);
    EXPECT_FALSE(bag.contains(QStringLiteral("TitleBar(mnuFileOpen).CaptionStyle")));
    EXPECT_FALSE(bag.contains(QStringLiteral("TitleBar(mnuFileOpen).BackStyle")));
}

TEST_F(ZephaltForm, NameListsNeedTheirTrailingBlankAndKeysIgnoreCase) {
    addControl(QStringLiteral("Zephalt1"),
               {{QStringLiteral("menuitemnames"), QStringLiteral("mnuFileOpen mnuFileExit")},
                {QStringLiteral("MNUFILEOPEN.BOLD"), true},
                {QStringLiteral("mnuFileExit.Bold"), true},
                {QStringLiteral("TitleBarNames"), QStringLiteral("mnuView ")},
                {QStringLiteral("TitleBar(mnuView).CaptionStyle"), 2},
                {QStringLiteral("mnuFileOpen.ItemIcon(0)"), QByteArray(839, '\x10')}}); // damaged
    load();
    OwnerDrawMenu& odm = control();
    ASSERT_GE(odm.MenuItems().indexOf(QStringLiteral("mnuFileOpen")), 0);
    EXPECT_TRUE(odm.MenuItems().Item(QStringLiteral("mnuFileOpen")).Bold());
    EXPECT_EQ(odm.MenuItems().Item(QStringLiteral("mnuFileOpen")).BreakMode, zxBS_Nothing);
    EXPECT_FALSE(odm.MenuItems().Item(QStringLiteral("mnuFileOpen")).ItemIcon(0));
    EXPECT_EQ(odm.MenuItems().indexOf(QStringLiteral("mnuFileExit")), -1); // no blank after it
    EXPECT_EQ(odm.MenuItems().indexOf(QStringLiteral("mnufileopen")), -1); // item names are exact
    EXPECT_EQ(odm.TitleBars().Item(QStringLiteral("mnuView")).CaptionStyle(), zxCP_VText);
    EXPECT_EQ(odm.TitleBars().NewIndex, -1);
}

TEST(IconBytes, TheStoredLayoutOfSmallAndLargeIcons) {
    IconPixels small = IconPixels::blank(16, 16);
    small.setPixel(0, 0, 0x332211); // top-left: R 0x11, G 0x22, B 0x33
    small.setTransparent(15, 0, true);
    const QByteArray bytes = IconToBytes(small);
    ASSERT_EQ(bytes.size(), 840);
    EXPECT_EQ(qFromLittleEndian<qint32>(bytes.constData()), 16);
    EXPECT_EQ(qFromLittleEndian<qint32>(bytes.constData() + 4), 16);
    // Rows are bottom-up, pixels blue-green-red; the top row comes last.
    EXPECT_EQ(bytes.mid(8 + 15 * 48, 3), QByteArray("\x33\x22\x11"));
    EXPECT_EQ(static_cast<uchar>(bytes[8 + 768 + 15 * 4 + 1]), 0x01); // mask bit of (15, 0)
    EXPECT_EQ(BytesToIcon(bytes), small);

    const QByteArray large = IconToBytes(IconPixels::blank(32, 32));
    EXPECT_EQ(large.size(), 8 + 3072 + 128);
    EXPECT_TRUE(BytesToIcon(large));
    EXPECT_EQ(IconToBytes(IconPixels{}), QByteArray());
}

TEST(IconBytes, DamagedArraysGiveNoIcon) {
    QByteArray bytes = IconToBytes(IconPixels::blank(16, 16));
    EXPECT_FALSE(BytesToIcon(bytes.left(839)));
    EXPECT_FALSE(BytesToIcon(bytes + '\0'));
    EXPECT_FALSE(BytesToIcon(QByteArray()));
    EXPECT_FALSE(BytesToIcon(QStringLiteral("not bytes")));
    EXPECT_FALSE(BytesToIcon(QVariant()));
    for (qint32 side : {0, -16, 257, 0x7FFFFFFF}) {
        QByteArray hostile = bytes;
        qToLittleEndian<qint32>(side, hostile.data());
        EXPECT_FALSE(BytesToIcon(hostile)) << side;
    }
}

TEST_F(ZephaltForm, TheReaderMainWindowsFormFileGivesSixteenItemsWithPictures) {
    description.formFile = QStringLiteral(FORM1_PATH);
    load();
    OwnerDrawMenu& odm = control();
    EXPECT_EQ(odm.Font().name, QStringLiteral("ＭＳ Ｐゴシック"));
    EXPECT_EQ(odm.MenuItems().Count(), 4 + 16);
    for (int i = 4; i < odm.MenuItems().Count(); ++i) {
        const clsMenuItem& item = *odm.MenuItems().ItemEx(i);
        EXPECT_TRUE(item.IsRegist(2)) << qPrintable(item.ItemName);
        const auto icon = odm.ImageList().GetIcon(item.UnCheckedIndex);
        ASSERT_TRUE(icon) << qPrintable(item.ItemName);
        EXPECT_EQ(icon->width, 16);
        // The grey copy sits right after the picture.
        EXPECT_EQ(odm.ImageList().GetIcon(item.UnCheckedIndex + 1), MakeGrayIcon(*icon));
    }
}

TEST(IconBytes, StoredIconsBecomeIconsOfTheDrawingLayerAndBack) {
    IconPixels pixels = sampleIcon(16, 0x0080FF);
    const QByteArray bytes = IconToBytes(pixels);
    const auto stored = BytesToIcon(bytes);
    ASSERT_TRUE(stored);
    const std::uintptr_t icon = iconFromPixels(*stored);
    ASSERT_NE(icon, 0u);
    const auto back = pixelsFromIcon(icon);
    platform::gdi::DestroyIcon(icon);
    ASSERT_TRUE(back);
    EXPECT_EQ(IconToBytes(*back), bytes); // the same 840 bytes
    EXPECT_EQ(iconFromPixels(IconPixels{}), 0u);
    EXPECT_FALSE(pixelsFromIcon(0));
    EXPECT_FALSE(pixelsFromIcon(icon)); // destroyed
}
