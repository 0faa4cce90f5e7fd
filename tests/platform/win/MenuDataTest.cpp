#include "platform/text/Codepage.h"
#include "platform/win/MenuEvents.h"
#include "platform/win/Menus.h"
#include "platform/win/Messages.h"
#include "platform/win/Window.h"

#include <QStringList>
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <vector>

using namespace platform::win;
using platform::text::decodeCp932;
using platform::text::encodeCp932;

namespace {

constexpr UINT kEnd = 0xFFFFFFFF;

// A pop-up of string items with identifiers firstId, firstId + 1, ...
HMENU popupWith(std::initializer_list<const char*> texts, UINT firstId = 100) {
    const HMENU menu = CreatePopupMenu();
    for (const char* text : texts) {
        AppendMenuA(menu, MF_STRING, firstId++, QString::fromUtf8(text));
    }
    return menu;
}

MENUITEMINFOA query(UINT mask, char* buffer = nullptr, UINT cch = 0) {
    MENUITEMINFOA info;
    info.fMask = mask;
    info.dwTypeData = buffer;
    info.cch = cch;
    return info;
}

BOOL insertText(HMENU menu, UINT position, UINT id, QByteArray bytes) {
    MENUITEMINFOA info = query(MIIM_ID | MIIM_STRING, bytes.data());
    info.wID = id;
    return InsertMenuItemA(menu, position, TRUE, &info);
}

BOOL attach(HMENU parent, HMENU subMenu) {
    return AppendMenuA(parent, MF_POPUP, subMenu, "sub");
}

UINT typeAt(HMENU menu, UINT position) {
    MENUITEMINFOA info = query(MIIM_FTYPE);
    EXPECT_EQ(GetMenuItemInfoA(menu, position, TRUE, &info), TRUE);
    return info.fType;
}

QStringList textsOf(HMENU menu) {
    QStringList texts;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        texts << menuItemText(menu, i);
    }
    return texts;
}

TEST(MenuText, JapaneseTextRoundTripsThroughCodePage932) {
    const HMENU menu = CreatePopupMenu();
    const QString open = QString::fromUtf8("開く(&O)");
    ASSERT_EQ(insertText(menu, kEnd, 1, encodeCp932(open)), TRUE);
    EXPECT_EQ(menuItemText(menu, 0), open);

    AppendMenuA(menu, MF_STRING, 2, QString::fromUtf8("保存(&S)\tCtrl+S"));
    char buffer[64] = {};
    MENUITEMINFOA info = query(MIIM_STRING, buffer, sizeof buffer);
    ASSERT_EQ(GetMenuItemInfoA(menu, 2, FALSE, &info), TRUE);
    EXPECT_EQ(decodeCp932(QByteArray(buffer)), QString::fromUtf8("保存(&S)\tCtrl+S"));
    DestroyMenu(menu);
}

TEST(MenuText, CchAsksForTheLengthOrLimitsTheCopy) {
    const HMENU menu = popupWith({"Refresh", "開く"});
    char buffer[16];
    std::fill(std::begin(buffer), std::end(buffer), 'x');
    MENUITEMINFOA info = query(MIIM_STRING, nullptr, 5);
    GetMenuItemInfoA(menu, 0, TRUE, &info);
    EXPECT_EQ(info.cch, 7u) << "no buffer: full length without the NUL";
    info = query(MIIM_STRING, buffer, 0);
    GetMenuItemInfoA(menu, 0, TRUE, &info);
    EXPECT_EQ(info.cch, 7u);
    EXPECT_EQ(buffer[0], 'x') << "cch 0 copies nothing";

    info = query(MIIM_STRING, buffer, 4);
    GetMenuItemInfoA(menu, 0, TRUE, &info);
    EXPECT_STREQ(buffer, "Ref");
    EXPECT_EQ(info.cch, 3u);
    EXPECT_EQ(buffer[4], 'x');
    info = query(MIIM_TYPE, buffer, sizeof buffer); // MIIM_TYPE copies by the same rules
    GetMenuItemInfoA(menu, 0, TRUE, &info);
    EXPECT_STREQ(buffer, "Refresh");
    EXPECT_EQ(info.cch, 7u);

    // Room for three bytes: the second double-byte character is left out whole.
    info = query(MIIM_STRING, buffer, 4);
    GetMenuItemInfoA(menu, 1, TRUE, &info);
    EXPECT_EQ(info.cch, 2u);
    EXPECT_EQ(decodeCp932(QByteArray(buffer)), QString::fromUtf8("開"));
    DestroyMenu(menu);
}

TEST(MenuRecord, SizeAndMaskCombinationsAreChecked) {
    const HMENU menu = popupWith({"One"});
    MENUITEMINFOA info = query(MIIM_ID);
    info.cbSize = sizeof(MENUITEMINFOA) - 1;
    EXPECT_EQ(GetMenuItemInfoA(menu, 0, TRUE, &info), FALSE);
    EXPECT_EQ(SetMenuItemInfoA(menu, 0, TRUE, &info), FALSE);

    // The older record is accepted; it has no hbmpItem to write to.
    info = query(MIIM_ID | MIIM_BITMAP);
    info.cbSize = MENUITEMINFO_OLD_SIZE;
    info.hbmpItem = 0xABC;
    EXPECT_EQ(GetMenuItemInfoA(menu, 0, TRUE, &info), TRUE);
    EXPECT_EQ(info.wID, 100u);
    EXPECT_EQ(info.hbmpItem, 0xABCu);

    for (UINT extra : {MIIM_STRING, MIIM_FTYPE, MIIM_BITMAP}) {
        info = query(MIIM_TYPE | extra);
        EXPECT_EQ(GetMenuItemInfoA(menu, 0, TRUE, &info), FALSE) << extra;
        EXPECT_EQ(SetMenuItemInfoA(menu, 0, TRUE, &info), FALSE) << extra;
        EXPECT_EQ(InsertMenuItemA(menu, 0, TRUE, &info), FALSE) << extra;
    }
    EXPECT_EQ(GetMenuItemCount(menu), 1);
    info = query(MIIM_ID);
    EXPECT_EQ(GetMenuItemInfoA(menu, 1, TRUE, &info), FALSE);
    EXPECT_EQ(GetMenuItemInfoA(menu, 555, FALSE, &info), FALSE);
    DestroyMenu(menu);
}

TEST(MenuRecord, TypeQueryGivesPublicBitsAndTheBitmapOrSeparatorForm) {
    const HMENU menu = CreatePopupMenu();
    const HMENU sub = popupWith({"Inner"});
    AppendMenuA(menu, MF_POPUP | MF_MENUBREAK, sub, "Popup");
    AppendMenuA(menu, MF_SEPARATOR, 0, "");
    MENUITEMINFOA bitmap = query(MIIM_TYPE, reinterpret_cast<char*>(std::uintptr_t{0x1234}));
    bitmap.fType = MFT_BITMAP;
    ASSERT_EQ(InsertMenuItemA(menu, kEnd, TRUE, &bitmap), TRUE);

    char buffer[16] = {};
    MENUITEMINFOA info = query(MIIM_TYPE, buffer, sizeof buffer);
    info.hSubMenu = 99;
    GetMenuItemInfoA(menu, 0, TRUE, &info);
    EXPECT_EQ(info.fType, MFT_MENUBREAK) << "the popup bit never shows";
    EXPECT_EQ(info.hSubMenu, 0u) << "cleared when not asked for";
    EXPECT_STREQ(buffer, "Popup");

    info = query(MIIM_TYPE, buffer, sizeof buffer);
    GetMenuItemInfoA(menu, 1, TRUE, &info);
    EXPECT_EQ(info.fType, MFT_SEPARATOR);
    EXPECT_EQ(info.dwTypeData, nullptr);
    EXPECT_EQ(info.cch, 0u);

    info = query(MIIM_TYPE, buffer, sizeof buffer);
    GetMenuItemInfoA(menu, 2, TRUE, &info);
    EXPECT_EQ(info.fType, MFT_BITMAP);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(info.dwTypeData), 0x1234u);
    EXPECT_EQ(info.cch, 0u);
    DestroyMenu(menu);
}

TEST(MenuRecord, ItemsThatAreNoStringItemsStillReportTheirTextLength) {
    const HMENU menu = popupWith({"Owner", "保存"});
    MENUITEMINFOA set = query(MIIM_FTYPE);
    set.fType = MFT_OWNERDRAW;
    SetMenuItemInfoA(menu, 0, TRUE, &set);
    set = query(MIIM_BITMAP);
    set.hbmpItem = 0x4321;
    SetMenuItemInfoA(menu, 1, TRUE, &set);
    AppendMenuA(menu, MF_STRING, 7, "Close");
    set = query(MIIM_BITMAP);
    set.hbmpItem = 8; // a predefined drawing, not a bitmap of the caller's
    SetMenuItemInfoA(menu, 2, TRUE, &set);

    char buffer[16] = "untouched";
    MENUITEMINFOA info = query(MIIM_TYPE, buffer, sizeof buffer);
    info.hbmpItem = 99;
    GetMenuItemInfoA(menu, 0, TRUE, &info);
    EXPECT_EQ(info.fType, MFT_OWNERDRAW);
    EXPECT_EQ(info.dwTypeData, nullptr);
    EXPECT_EQ(info.cch, 5u);
    EXPECT_EQ(info.hbmpItem, 0u) << "filled on a type query too";

    info = query(MIIM_TYPE, buffer, sizeof buffer);
    GetMenuItemInfoA(menu, 1, TRUE, &info);
    EXPECT_EQ(info.fType, MFT_BITMAP);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(info.dwTypeData), 0x4321u);
    EXPECT_EQ(info.cch, 4u) << "two characters of code page 932";
    EXPECT_EQ(info.hbmpItem, 0x4321u);

    info = query(MIIM_TYPE, buffer, sizeof buffer);
    GetMenuItemInfoA(menu, 2, TRUE, &info);
    EXPECT_EQ(info.fType, MFT_STRING);
    EXPECT_EQ(info.dwTypeData, buffer) << "the caller's buffer stays";
    EXPECT_STREQ(buffer, "Close");
    EXPECT_EQ(info.hbmpItem, 8u);

    // The type field cannot carry a bitmap; the record is refused whole.
    set = query(MIIM_FTYPE | MIIM_ID);
    set.fType = MFT_BITMAP;
    set.wID = 55;
    EXPECT_EQ(SetMenuItemInfoA(menu, 2, TRUE, &set), FALSE);
    EXPECT_EQ(InsertMenuItemA(menu, kEnd, TRUE, &set), FALSE);
    EXPECT_EQ(GetMenuItemCount(menu), 3);
    EXPECT_EQ(GetMenuItemID(menu, 2), 7u);
    DestroyMenu(menu);
}

TEST(MenuRecord, AppendedItemsTakeTheirStateAndTypeFromTheFlags) {
    const HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING | MFS_DEFAULT | MF_CHECKED, 1, "Default?");
    AppendMenuA(menu, MF_SEPARATOR, 0, "ignored");
    AppendMenuA(menu, MF_STRING, 0, QString());
    AppendMenuA(menu, MF_STRING, 4, "");
    const auto stateAt = [menu](UINT position) {
        MENUITEMINFOA info = query(MIIM_STATE);
        GetMenuItemInfoA(menu, position, TRUE, &info);
        return info.fState;
    };
    EXPECT_EQ(stateAt(0), MF_CHECKED) << "the default item is set by its own call";
    EXPECT_EQ(typeAt(menu, 1), MFT_SEPARATOR);
    EXPECT_EQ(stateAt(1), MF_GRAYED | MF_DISABLED);
    EXPECT_EQ(menuItemText(menu, 1), "");
    EXPECT_EQ(typeAt(menu, 2), MFT_SEPARATOR);
    EXPECT_EQ(stateAt(2), MF_GRAYED | MF_DISABLED);
    EXPECT_EQ(typeAt(menu, 3), MFT_STRING) << "an empty text is still a string item";
    EXPECT_EQ(stateAt(3), 0u);
    EXPECT_EQ(GetMenuItemID(menu, 3), 4u);
    DestroyMenu(menu);
}

TEST(MenuUpdate, OldTypeFieldIsConvertedToTheNewerFlags) {
    const HMENU menu = popupWith({"Old"});
    char text[] = "New";
    MENUITEMINFOA info = query(MIIM_TYPE, text);
    info.fType = MFT_RADIOCHECK;
    ASSERT_EQ(SetMenuItemInfoA(menu, 0, TRUE, &info), TRUE);
    EXPECT_EQ(menuItemText(menu, 0), "New");
    EXPECT_EQ(typeAt(menu, 0), MFT_RADIOCHECK);

    // Owner-drawn: dwTypeData is not read and the text stays.
    info = query(MIIM_TYPE, reinterpret_cast<char*>(std::uintptr_t{1}));
    info.fType = MFT_OWNERDRAW;
    ASSERT_EQ(SetMenuItemInfoA(menu, 0, TRUE, &info), TRUE);
    EXPECT_EQ(menuItemText(menu, 0), "New");
    EXPECT_EQ(typeAt(menu, 0), MFT_OWNERDRAW);

    // A bitmap through MIIM_TYPE is the low word of dwTypeData.
    info = query(MIIM_TYPE, reinterpret_cast<char*>(std::uintptr_t{0x51234}));
    info.fType = MFT_BITMAP;
    SetMenuItemInfoA(menu, 0, TRUE, &info);
    info = query(MIIM_BITMAP);
    GetMenuItemInfoA(menu, 0, TRUE, &info);
    EXPECT_EQ(info.hbmpItem, 0x1234u);
    DestroyMenu(menu);
}

TEST(MenuUpdate, StateTypeAndSubMenuAreSetSeparately) {
    const HMENU menu = CreatePopupMenu();
    const HMENU sub = popupWith({"Inner"});
    AppendMenuA(menu, MF_STRING, 1, "First");
    AppendMenuA(menu, MF_POPUP, sub, "Second");

    MENUITEMINFOA info = query(MIIM_STATE);
    info.fState = MFS_DEFAULT;
    SetMenuItemInfoA(menu, 0, TRUE, &info);
    info.fState = MFS_DISABLED | MFS_CHECKED;
    SetMenuItemInfoA(menu, 1, TRUE, &info);
    GetMenuItemInfoA(menu, 0, TRUE, &info);
    EXPECT_EQ(info.fState, MFS_DEFAULT) << "a default elsewhere is not cleared";
    GetMenuItemInfoA(menu, 1, TRUE, &info);
    EXPECT_EQ(info.fState, MF_GRAYED | MF_DISABLED | MF_CHECKED);

    // The type does not decide whether an item opens a sub-menu.
    info = query(MIIM_FTYPE);
    info.fType = MFT_MENUBARBREAK;
    SetMenuItemInfoA(menu, 1, TRUE, &info);
    EXPECT_EQ(GetSubMenu(menu, 1), sub);
    EXPECT_EQ(GetMenuItemID(menu, 1), kEnd) << "an item opening a sub-menu has no command";

    info = query(MIIM_SUBMENU | MIIM_ID | MIIM_DATA);
    info.wID = 43;
    info.dwItemData = 0xFEED;
    SetMenuItemInfoA(menu, 1, TRUE, &info);
    EXPECT_EQ(GetSubMenu(menu, 1), 0u);
    EXPECT_EQ(GetMenuItemID(menu, 1), 43u);
    info = query(MIIM_DATA);
    GetMenuItemInfoA(menu, 43, FALSE, &info);
    EXPECT_EQ(info.dwItemData, 0xFEEDu);
    EXPECT_EQ(IsMenu(sub), TRUE);
    DestroyMenu(sub);
    DestroyMenu(menu);
}

TEST(MenuUpdate, ItemWithNothingToShowBecomesASeparator) {
    const HMENU menu = CreatePopupMenu();
    MENUITEMINFOA info = query(MIIM_ID);
    InsertMenuItemA(menu, kEnd, TRUE, &info);
    insertText(menu, kEnd, 6, "");
    MENUITEMINFOA ownerDrawn = query(MIIM_FTYPE);
    ownerDrawn.fType = MFT_OWNERDRAW; // draws itself and needs no text
    InsertMenuItemA(menu, kEnd, TRUE, &ownerDrawn);
    AppendMenuA(menu, MF_STRING, 8, "Text");
    EXPECT_EQ(typeAt(menu, 0), MFT_SEPARATOR);
    EXPECT_EQ(typeAt(menu, 1), MFT_SEPARATOR);
    EXPECT_EQ(typeAt(menu, 2), MFT_OWNERDRAW);
    EXPECT_EQ(typeAt(menu, 3), MFT_STRING);

    info = query(MIIM_STRING, nullptr);
    SetMenuItemInfoA(menu, 3, TRUE, &info);
    EXPECT_EQ(typeAt(menu, 3), MFT_SEPARATOR);
    DestroyMenu(menu);
}

TEST(MenuPositions, InsertGoesBeforeThePositionAndAppendsPastTheEnd) {
    const HMENU menu = popupWith({"A", "B"});
    insertText(menu, kEnd, 1, "end");
    insertText(menu, 0, 1, "front");
    insertText(menu, 2, 1, "middle");
    insertText(menu, 99, 1, "far");
    EXPECT_EQ(textsOf(menu), QStringList({"front", "A", "middle", "B", "end", "far"}));

    ASSERT_EQ(RemoveMenu(menu, 0, MF_BYPOSITION), TRUE);
    EXPECT_EQ(menuItemText(menu, 0), "A") << "later items move down";
    EXPECT_EQ(RemoveMenu(menu, 5, MF_BYPOSITION), FALSE);
    DestroyMenu(menu);
}

TEST(MenuByCommand, CommandsAreFoundInNestedSubMenus) {
    const HMENU top = CreateMenu();
    const HMENU file = popupWith({"New", "Open"}, 100);
    const HMENU recent = popupWith({"one.opml", "two.opml"}, 200);
    attach(top, file);
    attach(file, recent);

    char buffer[32] = {};
    MENUITEMINFOA info = query(MIIM_STRING, buffer, sizeof buffer);
    ASSERT_EQ(GetMenuItemInfoA(top, 201, FALSE, &info), TRUE);
    EXPECT_STREQ(buffer, "two.opml");

    QByteArray renamed = "three.opml";
    info = query(MIIM_STRING, renamed.data());
    ASSERT_EQ(SetMenuItemInfoA(top, 201, FALSE, &info), TRUE);
    EXPECT_EQ(menuItemText(recent, 1), "three.opml");

    // Insert by command lands before the command, in the menu that holds it.
    QByteArray zero = "zero.opml";
    info = query(MIIM_STRING, zero.data());
    ASSERT_EQ(InsertMenuItemA(top, 200, FALSE, &info), TRUE);
    EXPECT_EQ(textsOf(recent), QStringList({"zero.opml", "one.opml", "three.opml"}));
    EXPECT_EQ(InsertMenuItemA(top, 999, FALSE, &info), FALSE);

    ASSERT_EQ(RemoveMenu(top, 101, MF_BYCOMMAND), TRUE);
    EXPECT_EQ(textsOf(file), QStringList({"New", "sub"}));
    DestroyMenu(top);
}

TEST(MenuTree, RemoveKeepsTheSubMenuDestroyTakesTheWholeTree) {
    const HMENU top = CreateMenu();
    const HMENU sub = popupWith({"Inner"});
    const HMENU subsub = popupWith({"Deep"});
    attach(sub, subsub);
    attach(top, sub);
    ASSERT_EQ(RemoveMenu(top, 0, MF_BYPOSITION), TRUE);
    EXPECT_EQ(IsMenu(sub), TRUE);
    EXPECT_EQ(GetSubMenu(sub, 1), subsub);

    attach(top, sub);
    ASSERT_EQ(DestroyMenu(top), TRUE);
    EXPECT_EQ(IsMenu(sub), FALSE);
    EXPECT_EQ(IsMenu(subsub), FALSE);
    EXPECT_EQ(DestroyMenu(top), FALSE);

    // A parent whose sub-menu is destroyed keeps the item but no dead handle.
    const HMENU parent = CreatePopupMenu();
    const HMENU child = CreatePopupMenu();
    attach(parent, child);
    DestroyMenu(child);
    EXPECT_EQ(GetSubMenu(parent, 0), 0u);
    EXPECT_EQ(GetMenuItemCount(parent), 1);
    DestroyMenu(parent);
}

TEST(MenuTree, LoopsAreRefusedAndARefusedChangeLeavesNoTrace) {
    const HMENU a = CreatePopupMenu();
    const HMENU b = CreatePopupMenu();
    const HMENU c = CreatePopupMenu();
    EXPECT_EQ(attach(a, a), FALSE);
    ASSERT_EQ(attach(a, b), TRUE);
    ASSERT_EQ(attach(b, c), TRUE);
    EXPECT_EQ(attach(c, a), FALSE);
    EXPECT_EQ(GetMenuItemCount(c), 0);

    AppendMenuA(c, MF_STRING, 1, "Leaf");
    MENUITEMINFOA info = query(MIIM_SUBMENU | MIIM_ID);
    info.hSubMenu = b;
    info.wID = 2;
    EXPECT_EQ(SetMenuItemInfoA(c, 0, TRUE, &info), FALSE);
    EXPECT_EQ(GetMenuItemID(c, 0), 1u);
    info.hSubMenu = 0x77777;
    EXPECT_EQ(SetMenuItemInfoA(c, 0, TRUE, &info), FALSE) << "not a menu";
    DestroyMenu(a);
}

TEST(MenuTree, ChainsDeeperThanTwentyFiveLevelsAreRefusedWhicheverWayBuilt) {
    std::vector<HMENU> chain{CreatePopupMenu()};
    for (int level = 1; level <= 25; ++level) {
        chain.push_back(CreatePopupMenu());
        ASSERT_EQ(attach(chain[level - 1], chain[level]), TRUE) << level;
    }
    const HMENU extra = CreatePopupMenu();
    EXPECT_EQ(attach(chain.back(), extra), FALSE);
    const HMENU newTop = CreatePopupMenu();
    EXPECT_EQ(attach(newTop, chain.front()), FALSE) << "nor one more on top";
    const HMENU side = CreatePopupMenu();
    attach(side, extra);
    EXPECT_EQ(attach(chain[24], side), FALSE) << "nor a two-level branch low down";
    EXPECT_EQ(attach(chain[23], side), TRUE);
    DestroyMenu(chain.front());
    DestroyMenu(newTop);
}

class WindowMenus : public ::testing::Test {
protected:
    void TearDown() override { DestroyWindowHandle(hwnd); }
    HWND hwnd = CreateWindowHandle(nullptr, "Form", nullptr);
};

TEST_F(WindowMenus, SystemMenuHasTheStandardItemsAndRevertRestoresThem) {
    const HMENU system = GetSystemMenu(hwnd, FALSE);
    ASSERT_NE(system, 0u);
    EXPECT_EQ(GetSystemMenu(hwnd, FALSE), system);
    EXPECT_EQ(systemMenuOwner(system), hwnd);
    EXPECT_EQ(textsOf(system),
              QStringList({QString::fromUtf8("元のサイズに戻す(&R)"), QString::fromUtf8("移動(&M)"),
                           QString::fromUtf8("サイズ変更(&S)"), QString::fromUtf8("最小化(&N)"),
                           QString::fromUtf8("最大化(&X)"), QString(),
                           QString::fromUtf8("閉じる(&C)\tAlt+F4")}));
    const UINT ids[] = {SC_RESTORE, SC_MOVE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, 0, SC_CLOSE};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(GetMenuItemID(system, i), ids[i]) << i;
    }
    EXPECT_EQ(typeAt(system, 5), MFT_SEPARATOR);
    MENUITEMINFOA info = query(MIIM_STATE);
    GetMenuItemInfoA(system, SC_CLOSE, FALSE, &info);
    EXPECT_EQ(info.fState, MFS_DEFAULT);

    RemoveMenu(system, SC_SIZE, MF_BYCOMMAND);
    EXPECT_EQ(GetSystemMenu(hwnd, TRUE), 0u);
    EXPECT_EQ(GetMenuItemID(GetSystemMenu(hwnd, FALSE), 2), SC_SIZE);
    EXPECT_EQ(GetSystemMenu(0, FALSE), 0u);
}

TEST_F(WindowMenus, WindowTakesItsMenusAlongUnlessAnotherStillShowsTheBar) {
    const HMENU bar = CreateMenu();
    const HMENU ownBar = CreateMenu();
    const HWND other = CreateWindowHandle(nullptr, "Form", nullptr);
    EXPECT_EQ(SetMenu(hwnd, 0x55555), FALSE);
    SetMenu(other, bar);
    SetMenu(hwnd, bar);
    DestroyWindowHandle(other);
    EXPECT_EQ(IsMenu(bar), TRUE);
    EXPECT_EQ(GetMenu(hwnd), bar);

    ASSERT_EQ(SetMenu(hwnd, ownBar), TRUE);
    const HMENU system = GetSystemMenu(hwnd, FALSE);
    DestroyWindowHandle(hwnd);
    EXPECT_EQ(IsMenu(ownBar), FALSE);
    EXPECT_EQ(IsMenu(system), FALSE);
    EXPECT_EQ(GetMenu(hwnd), 0u);
    EXPECT_EQ(DrawMenuBar(hwnd), FALSE);
    DestroyMenu(bar);
}

TEST_F(WindowMenus, ListenersHearOfItemAndBarChanges) {
    std::vector<HMENU> changed;
    std::vector<HWND> bars;
    const int menuListener = addMenuChangedListener([&](HMENU menu) { changed.push_back(menu); });
    const int barListener = addMenuBarListener([&](HWND window) { bars.push_back(window); });

    const HMENU menu = CreatePopupMenu();
    const HMENU sub = popupWith({"Inner"}, 1);
    attach(menu, sub);
    MENUITEMINFOA info = query(MIIM_STATE);
    SetMenuItemInfoA(menu, 1, FALSE, &info); // the change is in the sub-menu
    insertText(menu, kEnd, 2, "Two");
    RemoveMenu(menu, 1, MF_BYPOSITION);
    EXPECT_EQ(SetMenuItemInfoA(menu, 5, TRUE, &info), FALSE);
    EXPECT_EQ(changed, (std::vector<HMENU>{sub, menu, sub, menu, menu}));
    changed.clear();
    DestroyMenu(menu);
    EXPECT_EQ(changed, (std::vector<HMENU>{menu, sub}));

    SetMenu(hwnd, 0);
    DrawMenuBar(hwnd);
    EXPECT_EQ(bars, (std::vector<HWND>{hwnd, hwnd}));

    removeMenuChangedListener(menuListener);
    removeMenuBarListener(barListener);
    DrawMenuBar(hwnd);
    DestroyMenu(CreatePopupMenu());
    EXPECT_EQ(changed.size(), 2u);
    EXPECT_EQ(bars.size(), 2u);
}

} // namespace
