// Popups opening: the items become owner-drawn and bound to the control's
// items, once; pending requests apply at the next opening; every popup gets
// one title bar; the window menu only when asked for.
#include "menuctl/ZephaltForm.h"
#include "menuctl/engine/MeasureText.h"
#include "platform/win/Menus.h"
#include "platform/win/Messages.h"

using namespace platform::win;
using namespace zephalt_test;
using forms_test::itemInfo;

namespace {

QStringList boundKeys(zephalt::OwnerDrawMenu& odm, HMENU menu) {
    QStringList keys;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        const MENUITEMINFOA info = itemInfo(menu, i, MIIM_TYPE | MIIM_DATA);
        const zephalt::clsMenuItem* item = odm.MenuItems().byItemData(info.dwItemData);
        keys.append((info.fType & MFT_OWNERDRAW) && item ? item->ItemName : QStringLiteral("-"));
    }
    return keys;
}

} // namespace

TEST_F(ZephaltForm, AnOpeningPopupIsConvertedOnceAndGetsOneTitleBar) {
    addControl(QStringLiteral("Zephalt1"));
    load();
    zephalt::OwnerDrawMenu& odm = control();
    const HMENU file = subMenu("mnuFile");
    SendMessage(hwnd(), WM_INITMENUPOPUP, static_cast<WPARAM>(file), MAKELPARAM(0, 0));
    EXPECT_EQ(boundKeys(odm, file),
              (QStringList{"mnuFileOpen", "mnuFileSep1", "mnuFileImport", "mnuFileExit"}));
    zephalt::clsMenuItem& open = odm.MenuItems().Item(QStringLiteral("mnuFileOpen"));
    EXPECT_EQ(open.CaptionDsp, QStringLiteral("開く(&O)"));
    EXPECT_EQ(open.ShortCutDsp, QStringLiteral("Ctrl+O")); // the text after the TAB
    EXPECT_EQ(odm.MenuItems().Item(QStringLiteral("mnuFileSep1")).CaptionDsp, QStringLiteral("-"));
    EXPECT_FALSE(open.Changed); // re-inserted so it is measured again
    // One new title bar, named after the first item, for every item.
    ASSERT_EQ(odm.TitleBars().Count(), 2);
    zephalt::clsTitlebar& bar = *odm.TitleBars().ItemEx(1);
    EXPECT_EQ(bar.MenuName, QStringLiteral("mnuFileOpen"));
    EXPECT_EQ(bar.MenuHandle, file);
    EXPECT_EQ(bar.BackStyle(), zephalt::zxBG_Hide);
    for (const char* key : {"mnuFileOpen", "mnuFileSep1", "mnuFileImport", "mnuFileExit"}) {
        EXPECT_EQ(odm.MenuItems().Item(QString::fromLatin1(key)).TitleBarIndex, 1) << key;
    }

    // Opening again converts nothing twice and makes no new items or bars.
    const int items = odm.MenuItems().Count();
    bar.Draw = false;
    SendMessage(hwnd(), WM_INITMENUPOPUP, static_cast<WPARAM>(file), MAKELPARAM(0, 0));
    EXPECT_EQ(odm.MenuItems().Count(), items);
    EXPECT_EQ(odm.TitleBars().Count(), 2);
    EXPECT_TRUE(bar.Draw);
    EXPECT_EQ(boundKeys(odm, file),
              (QStringList{"mnuFileOpen", "mnuFileSep1", "mnuFileImport", "mnuFileExit"}));
}

TEST_F(ZephaltForm, BreakAndRadioRequestsApplyAtTheNextOpeningOnly) {
    addControl(QStringLiteral("Zephalt1"));
    load();
    zephalt::OwnerDrawMenu& odm = control();
    const HMENU file = subMenu("mnuFile");
    odm.BreakItem(QStringLiteral("mnuFileImport"), zephalt::zxBS_Break);
    SendMessage(hwnd(), WM_INITMENUPOPUP, static_cast<WPARAM>(file), MAKELPARAM(0, 0));
    EXPECT_TRUE(itemInfo(file, 2, MIIM_TYPE).fType & MFT_MENUBREAK);
    EXPECT_TRUE(odm.MenuItems().Item(QStringLiteral("mnuFileOpen")).TitleBarFlag);
    EXPECT_FALSE(odm.MenuItems().Item(QStringLiteral("mnuFileImport")).TitleBarFlag);
    EXPECT_FALSE(odm.MenuItems().Item(QStringLiteral("mnuFileExit")).TitleBarFlag);
    EXPECT_EQ(odm.MenuItems().Item(QStringLiteral("mnuFileImport")).BreakMode, 0);

    // zxBS_Nothing takes the break away again; a bar break replaces it.
    odm.BreakItem(QStringLiteral("mnuFileImport"), zephalt::zxBS_Nothing);
    odm.BreakItem(QStringLiteral("mnuFileExit"), zephalt::zxBS_BarBreak);
    SendMessage(hwnd(), WM_INITMENUPOPUP, static_cast<WPARAM>(file), MAKELPARAM(0, 0));
    EXPECT_EQ(itemInfo(file, 2, MIIM_TYPE).fType & (MFT_MENUBREAK | MFT_MENUBARBREAK), 0u);
    EXPECT_TRUE(itemInfo(file, 3, MIIM_TYPE).fType & MFT_MENUBARBREAK);
    EXPECT_TRUE(odm.MenuItems().Item(QStringLiteral("mnuFileImport")).TitleBarFlag);

    // Radio: only the checked one is checked, and it gets the radio type.
    const HMENU times = subMenu("mnuViewAutoRefresh");
    odm.RadioItem(QStringLiteral("mnuViewAutoRefresh_time(2)"),
                  QStringLiteral("mnuViewAutoRefresh_time(4)"),
                  QStringLiteral("mnuViewAutoRefresh_time(3)"));
    for (int i = 1; i <= 8; ++i) {
        EXPECT_EQ(form->menuControl(QStringLiteral("mnuViewAutoRefresh_time"), i)->checked(),
                  i == 3)
            << i;
        const int group =
            odm.MenuItems().Item(QStringLiteral("mnuViewAutoRefresh_time(%1)").arg(i)).Group;
        EXPECT_EQ(group, i >= 2 && i <= 4 ? zephalt::zxGS_Radio : zephalt::zxGS_Nothing) << i;
    }
    SendMessage(hwnd(), WM_INITMENUPOPUP, static_cast<WPARAM>(times), MAKELPARAM(2, 0));
    EXPECT_TRUE(itemInfo(times, 3, MIIM_TYPE).fType & MFT_RADIOCHECK); // time(3)
    EXPECT_FALSE(itemInfo(times, 2, MIIM_TYPE).fType & MFT_RADIOCHECK);
    EXPECT_FALSE(odm.MenuItems().Item(QStringLiteral("mnuViewAutoRefresh_time(3)")).RadioFlag);
}

TEST_F(ZephaltForm, TheWindowMenuIsConvertedOnlyWhenAskedFor) {
    addControl(QStringLiteral("Zephalt1"));
    load();
    zephalt::OwnerDrawMenu& odm = control();
    const HMENU system = GetSystemMenu(hwnd(), FALSE);
    ASSERT_GT(GetMenuItemCount(system), 0);
    SendMessage(hwnd(), WM_INITMENUPOPUP, static_cast<WPARAM>(system), MAKELPARAM(0, 1));
    for (const QString& key : boundKeys(odm, system)) {
        EXPECT_EQ(key, QStringLiteral("-")); // untouched
    }
    odm.SystemMenu = true;
    SendMessage(hwnd(), WM_INITMENUPOPUP, static_cast<WPARAM>(system), MAKELPARAM(0, 1));
    const QStringList keys = boundKeys(odm, system);
    EXPECT_TRUE(keys.contains(QStringLiteral(":0000F060"))); // close: the control's own item
    EXPECT_TRUE(keys.contains(QStringLiteral(":0000F010"))); // move: made from its identifier
    EXPECT_FALSE(keys.contains(QStringLiteral("-")));
    zephalt::clsMenuItem& close = odm.MenuItems().Item(QStringLiteral(":0000F060"));
    EXPECT_EQ(odm.MenuItems().ListIndex, 0); // made when the control was created
    EXPECT_EQ(close.CheckedIndex, 1);
    EXPECT_EQ(odm.MenuItems().Item(QStringLiteral(":0000F120")).UnCheckedIndex, 7);
}

TEST_F(ZephaltForm, MeasuringAppliesQueuedTextsAndAddsImageEdgesAndBar) {
    addControl(QStringLiteral("Zephalt1"));
    load();
    zephalt::OwnerDrawMenu& odm = control();
    const HMENU file = subMenu("mnuFile");
    SendMessage(hwnd(), WM_INITMENUPOPUP, static_cast<WPARAM>(file), MAKELPARAM(0, 0));
    auto measure = [&](int position) {
        MEASUREITEMSTRUCT record;
        record.CtlType = ODT_MENU;
        record.itemData = itemInfo(file, position, MIIM_DATA).dwItemData;
        SendMessage(hwnd(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&record));
        return QSize(static_cast<int>(record.itemWidth), static_cast<int>(record.itemHeight));
    };
    zephalt::clsMenuItem& open = odm.MenuItems().Item(QStringLiteral("mnuFileOpen"));
    open.setCaption(QStringLiteral("開く(&O)..."));
    const QSize text = zephalt::MeasureText(odm.Font(), QStringLiteral("開く(&O)...  Ctrl+O"));
    ASSERT_GT(text.width(), 0);
    const QSize item = measure(0);
    EXPECT_EQ(open.CaptionDsp, QStringLiteral("開く(&O)..."));
    EXPECT_TRUE(open.CaptionQue().isEmpty());
    EXPECT_TRUE(open.Changed); // applied through the property, so re-inserted next time
    EXPECT_EQ(item.width(), text.width() + 16 + 8 + 3 * 2);
    EXPECT_EQ(item.height(), std::max(text.height() + 2 * 2, 16 + 2 * 2));
    EXPECT_EQ(measure(1), QSize(10, 10)); // a separator: edge + 8 each way

    // A shown title bar widens the items of the first column only.
    odm.TitleBars().ItemEx(1)->setBackStyle(zephalt::zxBG_Normal);
    odm.MenuItems().Item(QStringLiteral("mnuFileExit")).TitleBarFlag = false;
    EXPECT_EQ(measure(1), QSize(10 + 18, 10));
    const QSize exitWithoutBar = measure(3);
    odm.MenuItems().Item(QStringLiteral("mnuFileExit")).TitleBarFlag = true;
    EXPECT_EQ(measure(3).width(), exitWithoutBar.width() + 18);
}
