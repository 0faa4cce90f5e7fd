// The control's life on a host form: hooking only at run time, the message
// dispatch in front of the form's own procedure, and giving the window back.
#include "menuctl/ZephaltForm.h"
#include "platform/win/Menus.h"
#include "platform/win/Messages.h"

using namespace platform::win;
using namespace zephalt_test;

TEST_F(ZephaltForm, AtDesignTimeTheWindowIsNotHooked) {
    addControl(QStringLiteral("Zephalt1"));
    load(false);
    EXPECT_EQ(GetProp(hwnd(), zephalt::ControlProperty), 0u);
    // Menu characters reach the form's own procedure, which ignores them.
    EXPECT_EQ(SendMessage(hwnd(), WM_MENUCHAR, MAKEWPARAM('O', MF_POPUP),
                          static_cast<LPARAM>(subMenu("mnuFile"))),
              0);
}

TEST_F(ZephaltForm, TerminationPutsBackTheExactProcedureAndTheProperty) {
    addControl(QStringLiteral("Zephalt1"));
    load();
    zephalt::OwnerDrawMenu& odm = control();
    const LONG_PTR replaced = odm.previousProc();
    ASSERT_NE(replaced, 0);
    EXPECT_NE(GetWindowLongPtr(hwnd(), GWL_WNDPROC), replaced);
    EXPECT_TRUE(odm.IsEXE); // the form's window class is a built program's
    odm.terminate();
    EXPECT_EQ(GetWindowLongPtr(hwnd(), GWL_WNDPROC), replaced);
    EXPECT_EQ(GetProp(hwnd(), zephalt::ControlProperty), 0u);
    EXPECT_FALSE(odm.hooked());
    // The form's own procedure answers again: a command reaches its click.
    SendMessage(
        hwnd(), WM_COMMAND,
        MAKEWPARAM(static_cast<WORD>(form->menuControl(QStringLiteral("mnuFileExit"))->commandId()),
                   0),
        0);
    EXPECT_EQ(clicks, QStringList{QStringLiteral("mnuFileExit")});
}

TEST_F(ZephaltForm, SizeLimitsChangedByTheHostReachTheRecord) {
    addControl(QStringLiteral("Zephalt1"));
    onEvent = [](const QString& event, QVariantList& args) {
        if (event == QLatin1String("GetMinMaxInfo")) {
            args[4] = 321; // MinTrackWidth
            args[7] = 654; // MaxTrackHeight
        }
    };
    load();
    MINMAXINFO info;
    info.ptMaxPosition = {1, 2};
    info.ptMinTrackSize = {10, 20};
    EXPECT_EQ(SendMessage(hwnd(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info)), -1);
    EXPECT_EQ(info.ptMinTrackSize.x, 321);
    EXPECT_EQ(info.ptMaxTrackSize.y, 654);
    EXPECT_EQ(info.ptMaxPosition.x, 1);
    // The form's own limits came first, so the host saw the system's values.
    ASSERT_FALSE(events.empty());
    const RaisedEvent& raised = events.back();
    EXPECT_EQ(raised.event, QStringLiteral("GetMinMaxInfo"));
    EXPECT_EQ(raised.args.size(), 8);
}

TEST_F(ZephaltForm, HighlightedItemsAreReportedByKey) {
    addControl(QStringLiteral("Zephalt1"));
    load();
    const HMENU file = subMenu("mnuFile");
    const auto open =
        static_cast<WORD>(form->menuControl(QStringLiteral("mnuFileOpen"))->commandId());
    SendMessage(hwnd(), WM_MENUSELECT, MAKEWPARAM(open, MF_HILITE), static_cast<LPARAM>(file));
    // A popup item is given by position: the Import item opens a sub-menu.
    SendMessage(hwnd(), WM_MENUSELECT, MAKEWPARAM(2, MF_HILITE | MF_POPUP),
                static_cast<LPARAM>(file));
    const auto refresh = static_cast<WORD>(
        form->menuControl(QStringLiteral("mnuViewAutoRefresh_time"), 3)->commandId());
    SendMessage(hwnd(), WM_MENUSELECT, MAKEWPARAM(refresh, MF_HILITE),
                static_cast<LPARAM>(subMenu("mnuViewAutoRefresh")));
    SendMessage(hwnd(), WM_MENUSELECT, MAKEWPARAM(SC_MOVE, MF_HILITE | MF_SYSMENU),
                static_cast<LPARAM>(GetSystemMenu(hwnd(), FALSE)));
    // The menu closing, and a notice without a menu, say nothing.
    SendMessage(hwnd(), WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    SendMessage(hwnd(), WM_MENUSELECT, MAKEWPARAM(open, MF_HILITE), 0);
    EXPECT_EQ(
        eventsNamed(QStringLiteral("Selected")),
        (QStringList{"mnuFileOpen", "mnuFileImport", "mnuViewAutoRefresh_time(3)", ":0000F010"}));
}

TEST_F(ZephaltForm, MenuCharactersChooseTheItemOfTheirMnemonic) {
    description.menus[1].caption = QStringLiteral("A&&B 開く(&O)"); // mnuFileOpen
    addControl(QStringLiteral("Zephalt1"));
    load();
    const HMENU file = subMenu("mnuFile");
    SendMessage(hwnd(), WM_INITMENUPOPUP, static_cast<WPARAM>(file), MAKELPARAM(0, 0));
    auto menuChar = [&](char16_t c) {
        return SendMessage(hwnd(), WM_MENUCHAR, MAKEWPARAM(c, MF_POPUP), static_cast<LPARAM>(file));
    };
    EXPECT_EQ(menuChar(u'o'), 0x20000); // position 0, executed
    EXPECT_EQ(menuChar(u'x'), 0x20003); // 終了(&X) at position 3
    EXPECT_EQ(menuChar(u'b'), 0);       // "&&" is an ampersand, not a mnemonic of B
    EXPECT_EQ(menuChar(u'q'), 0);       // no such mnemonic: ignored
    // Items the control did not convert (data 0) are passed over, not read.
    EXPECT_EQ(SendMessage(hwnd(), WM_MENUCHAR, MAKEWPARAM('I', MF_POPUP),
                          static_cast<LPARAM>(subMenu("mnuView"))),
              0);
}

TEST_F(ZephaltForm, ItemDataThatNamesNoItemIsPassedOnUntouched) {
    addControl(QStringLiteral("Zephalt1"));
    load();
    for (ULONG_PTR data : {ULONG_PTR{0}, ULONG_PTR{999}}) {
        MEASUREITEMSTRUCT measure;
        measure.CtlType = ODT_MENU;
        measure.itemData = data;
        measure.itemWidth = 7;
        measure.itemHeight = 9;
        SendMessage(hwnd(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
        EXPECT_EQ(measure.itemWidth, 7u);
        EXPECT_EQ(measure.itemHeight, 9u);
        DRAWITEMSTRUCT draw;
        draw.CtlType = ODT_MENU;
        draw.itemData = data;
        SendMessage(hwnd(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
    }
}
