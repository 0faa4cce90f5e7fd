// The native menus a form builds from its menu controls, how they follow the
// controls' properties, and how commands come back to the controls.
#include "FormTestSupport.h"
#include "platform/forms/MenuShortcuts.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/win/MenuManager.h"
#include "platform/win/Messages.h"
#include "platform/win/Window.h"
#include <QTimer>
#include <gtest/gtest.h>
#include <set>

using namespace platform::win;
using platform::forms::HostForm;
using platform::forms::MenuControl;
using namespace forms_test;

namespace {

class MenuControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<HostForm>(&window, readerLikeForm(clicks));
        form->load();
        hwnd = form->windowHandle();
        bar = GetMenu(hwnd);
    }

    MenuControl& menu(const char* name, int index = NoIndex) {
        MenuControl* found = form->menuControl(QString::fromLatin1(name), index);
        EXPECT_NE(found, nullptr) << name;
        return *found;
    }
    LRESULT command(const MenuControl& control, LPARAM lParam = 0) {
        return SendMessage(hwnd, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(control.commandId()), 0),
                           lParam);
    }
    QStringList refreshTexts() { return itemTexts(menu("mnuViewAutoRefresh").subMenu()); }

    QMainWindow window;
    QStringList clicks;
    std::unique_ptr<HostForm> form;
    HWND hwnd = 0;
    HMENU bar = 0;
};

TEST_F(MenuControlsTest, BarHoldsTheVisibleTopLevelMenusWithTheirSubMenus) {
    ASSERT_NE(bar, 0u);
    // The hidden pop-up menu is a top-level control but not in the bar.
    EXPECT_EQ(itemTexts(bar), (QStringList{"ファイル(&F)", "表示(&V)", "ヘルプ(&H)"}));
    EXPECT_EQ(GetSubMenu(bar, 0), menu("mnuFile").subMenu());
    EXPECT_EQ(GetSubMenu(bar, 2), menu("mnuHelp").subMenu());

    const HMENU file = menu("mnuFile").subMenu();
    ASSERT_EQ(GetMenuItemCount(file), 4);
    EXPECT_EQ(menuItemText(file, 0), QStringLiteral("開く(&O)\tCtrl+O"));
    EXPECT_TRUE(itemInfo(file, 1, MIIM_FTYPE).fType & MFT_SEPARATOR);
    EXPECT_EQ(menuItemText(file, 3), QStringLiteral("終了(&X)"));
    // A nested sub-menu hangs from its item.
    EXPECT_EQ(GetSubMenu(file, 2), menu("mnuFileImport").subMenu());
    EXPECT_EQ(itemTexts(menu("mnuFileImport").subMenu()),
              (QStringList{"標準ニュースをインポート(&N)", "ブックマークをインポート(&F)"}));

    // Initial states reach the native items.
    const HMENU view = menu("mnuView").subMenu();
    EXPECT_TRUE(itemInfo(view, 0, MIIM_STATE).fState & MFS_CHECKED);
    EXPECT_EQ(itemInfo(menu("mnuViewAutoRefresh").subMenu(), 1, MIIM_STATE).fState & MFS_GRAYED,
              MFS_GRAYED);
}

TEST_F(MenuControlsTest, ArrayElementsFollowTheirSiblingInIndexOrder) {
    QStringList expected{"自動更新を有効にする(&E)"};
    for (int i = 1; i <= 8; ++i) {
        expected.append(QStringLiteral("間隔%1(&%1)").arg(i));
    }
    EXPECT_EQ(refreshTexts(), expected);
    EXPECT_EQ(GetMenuItemID(menu("mnuViewAutoRefresh").subMenu(), 3),
              menu("mnuViewAutoRefresh_time", 3).commandId());
    // The bare name is a different control from the array's elements.
    EXPECT_EQ(form->menuControl("mnuViewAutoRefresh_time"), nullptr);
    EXPECT_EQ(form->menuControl("MNUVIEWAUTOREFRESH_TIME", 2), &menu("mnuViewAutoRefresh_time", 2));
}

TEST_F(MenuControlsTest, EveryMenuControlHasItsOwnSixteenBitCommand) {
    std::set<UINT> ids;
    for (const MenuControl* control : form->menuControls()) {
        EXPECT_GE(control->commandId(), 1u);
        EXPECT_LE(control->commandId(), 0x7FFFu);
        ids.insert(control->commandId());
        EXPECT_EQ(form->menuControlByCommand(control->commandId()), control);
    }
    EXPECT_EQ(ids.size(), form->menuControls().size());
    EXPECT_EQ(GetMenuItemID(menu("mnuFile").subMenu(), 0), menu("mnuFileOpen").commandId());
}

TEST_F(MenuControlsTest, PropertyChangesReachTheNativeItem) {
    const HMENU view = menu("mnuView").subMenu();
    menu("mnuViewStatusBar").setChecked(false);
    EXPECT_FALSE(itemInfo(view, 0, MIIM_STATE).fState & MFS_CHECKED);
    menu("mnuViewStatusBar").setEnabled(false);
    EXPECT_EQ(itemInfo(view, 0, MIIM_STATE).fState & MFS_GRAYED, MFS_GRAYED);
    menu("mnuViewStatusBar").setCaption(QStringLiteral("状態表示(&S)"));
    EXPECT_EQ(menuItemText(view, 0), QStringLiteral("状態表示(&S)"));

    menu("mnuViewStatusBar").setCaption(QStringLiteral("-"));
    EXPECT_TRUE(itemInfo(view, 0, MIIM_FTYPE).fType & MFT_SEPARATOR);
    menu("mnuViewStatusBar").setCaption(QStringLiteral("戻った(&B)"));
    EXPECT_FALSE(itemInfo(view, 0, MIIM_FTYPE).fType & MFT_SEPARATOR);
    EXPECT_EQ(menuItemText(view, 0), QStringLiteral("戻った(&B)"));

    menu("mnuFile").setCaption(QStringLiteral("ファイル(&G)"));
    EXPECT_EQ(menuItemText(bar, 0), QStringLiteral("ファイル(&G)"));
}

TEST_F(MenuControlsTest, ChangesKeepWhatAHostedControlPutIntoTheItem) {
    // A menu-drawing control marks items owner-drawn and stores its own data
    // in them; the form's updates must not wipe that out.
    const HMENU view = menu("mnuView").subMenu();
    MENUITEMINFOA drawn;
    drawn.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_STATE;
    drawn.fType = MFT_OWNERDRAW;
    drawn.fState = MFS_CHECKED | MFS_DEFAULT;
    drawn.dwItemData = 7;
    ASSERT_TRUE(SetMenuItemInfoA(view, 0, TRUE, &drawn));

    menu("mnuViewStatusBar").setChecked(false);
    menu("mnuViewStatusBar").setCaption(QStringLiteral("ステータス(&B)"));
    const MENUITEMINFOA after = itemInfo(view, 0, MIIM_FTYPE | MIIM_DATA | MIIM_STATE);
    EXPECT_TRUE(after.fType & MFT_OWNERDRAW);
    EXPECT_EQ(after.dwItemData, 7u);
    EXPECT_TRUE(after.fState & MFS_DEFAULT);
    EXPECT_FALSE(after.fState & MFS_CHECKED);
}

TEST_F(MenuControlsTest, HiddenItemsLeaveAndComeBackAtTheirPlace) {
    const QStringList all = refreshTexts();
    menu("mnuViewAutoRefresh_time", 2).setVisible(false);
    menu("mnuViewAutoRefresh_time", 5).setVisible(false);
    menu("mnuViewAutoRefreshEnable").setVisible(false);
    QStringList without = all;
    without.removeAt(5);
    without.removeAt(2);
    without.removeAt(0);
    EXPECT_EQ(refreshTexts(), without);

    // Shown again in another order, each goes back where it belongs.
    menu("mnuViewAutoRefresh_time", 5).setVisible(true);
    menu("mnuViewAutoRefreshEnable").setVisible(true);
    menu("mnuViewAutoRefresh_time", 2).setVisible(true);
    EXPECT_EQ(refreshTexts(), all);
    EXPECT_EQ(GetMenuItemID(menu("mnuViewAutoRefresh").subMenu(), 5),
              menu("mnuViewAutoRefresh_time", 5).commandId());
}

TEST_F(MenuControlsTest, ChangesWhileHiddenShowWithTheItem) {
    MenuControl& time = menu("mnuViewAutoRefresh_time", 4);
    time.setVisible(false);
    time.setChecked(true);
    time.setEnabled(true);
    time.setCaption(QStringLiteral("十分(&4)"));
    time.setVisible(true);
    const HMENU refresh = menu("mnuViewAutoRefresh").subMenu();
    EXPECT_EQ(menuItemText(refresh, 4), QStringLiteral("十分(&4)"));
    const UINT state = itemInfo(refresh, 4, MIIM_STATE).fState;
    EXPECT_TRUE(state & MFS_CHECKED);
    EXPECT_EQ(state & MFS_GRAYED, 0u);
}

TEST_F(MenuControlsTest, HiddenSubMenusAndTopLevelMenusSurvive) {
    MenuControl& import = menu("mnuFileImport");
    const HMENU importMenu = import.subMenu();
    import.setVisible(false);
    EXPECT_TRUE(IsMenu(importMenu));
    EXPECT_EQ(GetMenuItemCount(menu("mnuFile").subMenu()), 3);
    import.setVisible(true);
    EXPECT_EQ(GetSubMenu(menu("mnuFile").subMenu(), 2), importMenu);

    menu("mnuView").setVisible(false);
    EXPECT_EQ(itemTexts(bar), (QStringList{"ファイル(&F)", "ヘルプ(&H)"}));
    menu("mnuPoplvw").setVisible(true);
    menu("mnuView").setVisible(true);
    EXPECT_EQ(itemTexts(bar),
              (QStringList{"ファイル(&F)", "表示(&V)", "ヘルプ(&H)", "ポップアップlvw"}));
}

TEST_F(MenuControlsTest, ABarWithNothingVisibleIsTakenFromTheWindow) {
    menu("mnuFile").setVisible(false);
    menu("mnuView").setVisible(false);
    menu("mnuHelp").setVisible(false);
    EXPECT_EQ(GetMenu(hwnd), 0u);
    menu("mnuHelp").setVisible(true);
    EXPECT_EQ(GetMenu(hwnd), bar);
    EXPECT_EQ(itemTexts(bar), QStringList{"ヘルプ(&H)"});
}

TEST_F(MenuControlsTest, CommandsReachTheClickOfTheirControl) {
    menu("mnuViewAutoRefresh_time", 6).setEnabled(true);
    command(menu("mnuViewAutoRefresh_time", 6));
    command(menu("mnuFileExit"));
    EXPECT_EQ(clicks, (QStringList{"mnuViewAutoRefresh_time(6)", "mnuFileExit"}));

    clicks.clear();
    command(menu("mnuViewAutoRefresh_time", 7)); // disabled
    command(menu("mnuFileSep1"));
    command(menu("mnuFileImport"));     // opens a sub-menu, has no command
    command(menu("mnuFileExit"), 1234); // a child control's notification
    SendMessage(hwnd, WM_COMMAND, MAKEWPARAM(0x7000, 0), 0);
    EXPECT_TRUE(clicks.isEmpty()) << clicks.join(',').toStdString();

    // Opening a pop-up is the click of the control it belongs to.
    SendMessage(hwnd, WM_INITMENUPOPUP, menu("mnuFileImport").subMenu(), MAKELPARAM(2, 0));
    EXPECT_EQ(clicks, QStringList{"mnuFileImport"});
}

TEST_F(MenuControlsTest, AThrowingClickStaysInsideTheWindowProcedure) {
    menu("mnuFileExit").setClickHandler([](int) {
        throw platform::RuntimeError(platform::err::FileNotFound);
    });
    EXPECT_NO_THROW(command(menu("mnuFileExit")));
}

TEST_F(MenuControlsTest, SiblingFactsWalkEachRunInFormOrder) {
    // Top-level controls are one run, the hidden pop-up menu included.
    EXPECT_EQ(menu("mnuFile").nextSibling(), &menu("mnuView"));
    EXPECT_EQ(menu("mnuHelp").nextSibling(), &menu("mnuPoplvw"));
    EXPECT_TRUE(menu("mnuPoplvw").isLastSibling());

    EXPECT_EQ(menu("mnuFileOpen").nextSibling(), &menu("mnuFileSep1"));
    EXPECT_EQ(menu("mnuFileImport").nextSibling(), &menu("mnuFileExit"));
    EXPECT_TRUE(menu("mnuFileExit").isLastSibling());
    EXPECT_TRUE(menu("mnuFileImportFavorite").isLastSibling());
    EXPECT_FALSE(menu("mnuFileImport").isLastSibling());

    EXPECT_EQ(menu("mnuViewAutoRefreshEnable").nextSibling(), &menu("mnuViewAutoRefresh_time", 1));
    EXPECT_EQ(menu("mnuViewAutoRefresh_time", 1).nextSibling(),
              &menu("mnuViewAutoRefresh_time", 2));
    EXPECT_TRUE(menu("mnuViewAutoRefresh_time", 8).isLastSibling());
    // Hiding changes the native menu, not the run of controls.
    menu("mnuViewAutoRefresh_time", 2).setVisible(false);
    EXPECT_EQ(menu("mnuViewAutoRefresh_time", 1).nextSibling(),
              &menu("mnuViewAutoRefresh_time", 2));

    EXPECT_EQ(menu("mnuFileOpen").subMenu(), 0u);
    EXPECT_NE(menu("mnuPoplvw").subMenu(), 0u);
    EXPECT_EQ(menu("mnuFileImportFavorite").parent(), &menu("mnuFileImport"));
}

TEST_F(MenuControlsTest, ShortcutCodesShowInTheItemText) {
    EXPECT_EQ(menu("mnuFileOpen").shortcut(), 15);
    menu("mnuFileOpen").setShortcut(16);
    EXPECT_EQ(menuItemText(menu("mnuFile").subMenu(), 0), QStringLiteral("開く(&O)\tCtrl+P"));
    menu("mnuFileExit").setShortcut(79);
    EXPECT_EQ(menuItemText(menu("mnuFile").subMenu(), 3), QStringLiteral("終了(&X)\tAlt+Bksp"));
    menu("mnuFileOpen").setShortcut(0);
    EXPECT_EQ(menuItemText(menu("mnuFile").subMenu(), 0), QStringLiteral("開く(&O)"));
    menu("mnuFileOpen").setShortcut(80); // not a code: no text
    EXPECT_EQ(menuItemText(menu("mnuFile").subMenu(), 0), QStringLiteral("開く(&O)"));
}

TEST_F(MenuControlsTest, ShortcutsReachOnlyUsableItems) {
    using platform::forms::MenuShortcuts;
    EXPECT_TRUE(MenuShortcuts::reachable(menu("mnuFileOpen")));
    // Items of a hidden pop-up menu keep their shortcuts.
    EXPECT_TRUE(MenuShortcuts::reachable(menu("mnuPoplvwNavigate")));
    EXPECT_FALSE(MenuShortcuts::reachable(menu("mnuViewAutoRefresh_time", 1))); // disabled
    menu("mnuFileImport").setVisible(false);
    EXPECT_FALSE(MenuShortcuts::reachable(menu("mnuFileImportFavorite")));
    menu("mnuView").setEnabled(false);
    EXPECT_FALSE(MenuShortcuts::reachable(menu("mnuViewStatusBar")));
}

TEST_F(MenuControlsTest, PopupMenuRunsTheChosenClickBeforeReturning) {
    window.show();
    QTimer::singleShot(0, [] { MenuTracker::choose(1); });
    form->popupMenu(QStringLiteral("mnuPoplvw"), QPoint(40, 40));
    EXPECT_EQ(clicks, (QStringList{"mnuPoplvw", "mnuPoplvwCopy"}));

    clicks.clear();
    QTimer::singleShot(0, [] { MenuTracker::close(); });
    form->popupMenu(QStringLiteral("mnuPoplvw"), QPoint(40, 40));
    EXPECT_EQ(clicks, QStringList{"mnuPoplvw"});
}

TEST_F(MenuControlsTest, PopupMenuOfWhatCannotPopUpFails) {
    auto errorOf = [this](const char* name) {
        try {
            form->popupMenu(QString::fromLatin1(name), QPoint(0, 0));
        } catch (const platform::RuntimeError& error) {
            return error.number();
        }
        return 0;
    };
    EXPECT_EQ(errorOf("mnuNothing"), platform::err::ElementNotFound);
    EXPECT_EQ(errorOf("mnuFileOpen"), platform::err::InvalidCall);
}

TEST(MenuControlDescriptions, BrokenTreesAreRefused) {
    auto errorOf = [](std::vector<MenuControlDescription> menus) {
        QWidget window;
        FormDescription description;
        description.menus = std::move(menus);
        try {
            HostForm form(&window, description);
        } catch (const platform::RuntimeError& error) {
            return error.number();
        }
        return 0;
    };
    auto entry = [](const char* name, const char* parent, int index = NoIndex) {
        MenuControlDescription menu;
        menu.name = QString::fromLatin1(name);
        menu.parentName = QString::fromLatin1(parent);
        menu.index = index;
        menu.caption = menu.name;
        return menu;
    };
    const auto file = entry("mnuFile", "");
    const auto child = entry("mnuOpen", "mnuFile");
    const auto element = entry("mnuTime", "", 1);
    const auto second = entry("mnuTime", "", 2);
    EXPECT_EQ(errorOf({file, entry("mnuOpen", "mnuFil")}), platform::err::InvalidCall);
    EXPECT_EQ(errorOf({file, file}), platform::err::InvalidCall);
    EXPECT_EQ(errorOf({element, element}), platform::err::InvalidCall);
    EXPECT_EQ(errorOf({entry("", "")}), platform::err::InvalidCall);
    // The child before its parent is an orphan as well.
    EXPECT_EQ(errorOf({child, file}), platform::err::InvalidCall);
    EXPECT_EQ(errorOf({file, child, element, second}), 0);
}

} // namespace
