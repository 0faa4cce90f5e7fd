#include "platform/win/MenuManager.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Painting.h"
#include "platform/gdi/SystemColors.h"
#include "platform/gdi/Text.h"
#include "platform/win/Menus.h"
#include "platform/win/Messages.h"
#include "platform/win/Window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTimer>

#include <functional>
#include <string>
#include <vector>

using namespace platform::win;
namespace gdi = platform::gdi;

namespace {

// What the test owner window answers and what it saw. Window procedures are
// plain functions, so the state is one object for the running test.
struct OwnerState {
    std::vector<std::string> log;
    UINT measureWidth = 100;
    UINT measureHeight = 20;
    LRESULT menuCharAnswer = 0;
    std::vector<WPARAM> menuChars;
    std::vector<DRAWITEMSTRUCT> draws;
    std::vector<std::pair<COLORREF, COLORREF>> drawColors; // text, background on entry
    std::vector<UINT> commands;
    std::vector<UINT> sysCommands;
};
OwnerState* owner_state = nullptr;

std::string hex(std::uintptr_t value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%lx", static_cast<unsigned long>(value));
    return buffer;
}

LRESULT ownerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    OwnerState& state = *owner_state;
    switch (message) {
    case WM_ENTERMENULOOP:
        state.log.push_back("enterloop " + std::to_string(wParam));
        return 0;
    case WM_EXITMENULOOP:
        state.log.push_back("exitloop " + std::to_string(wParam));
        return 0;
    case WM_INITMENU:
        state.log.push_back("initmenu " + hex(wParam));
        return 0;
    case WM_INITMENUPOPUP:
        state.log.push_back("initpopup " + hex(wParam) + " " + hex(static_cast<WPARAM>(lParam)));
        return 0;
    case WM_UNINITMENUPOPUP:
        state.log.push_back("uninitpopup " + hex(wParam));
        return 0;
    case WM_MENUSELECT:
        state.log.push_back("select " + hex(wParam) + " " + hex(static_cast<WPARAM>(lParam)));
        return 0;
    case WM_MEASUREITEM: {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        state.log.push_back("measure " + std::to_string(measure->itemID) + " " +
                            std::to_string(measure->itemHeight));
        measure->itemWidth = state.measureWidth;
        measure->itemHeight = state.measureHeight;
        return TRUE;
    }
    case WM_DRAWITEM: {
        auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        state.log.push_back("draw " + std::to_string(draw->itemID) + " " +
                            std::to_string(draw->itemAction) + " " +
                            std::to_string(draw->itemState));
        state.draws.push_back(*draw);
        state.drawColors.emplace_back(gdi::GetTextColor(draw->hDC), gdi::GetBkColor(draw->hDC));
        const HBRUSH brush = gdi::CreateSolidBrush(
            (draw->itemState & ODS_SELECTED) ? RGB(255, 0, 0) : RGB(0, 0, 255));
        gdi::FillRect(draw->hDC, &draw->rcItem, brush);
        gdi::DeleteObject(brush);
        return TRUE;
    }
    case WM_MENUCHAR:
        state.menuChars.push_back(wParam);
        return state.menuCharAnswer;
    case WM_COMMAND:
        state.log.push_back("command " + std::to_string(LOWORD(wParam)));
        state.commands.push_back(LOWORD(wParam));
        return 0;
    case WM_SYSCOMMAND:
        state.sysCommands.push_back(static_cast<UINT>(wParam));
        return 0;
    default:
        return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

MENUITEMINFOA itemState(HMENU menu, UINT position) {
    MENUITEMINFOA info;
    info.fMask = MIIM_STATE;
    GetMenuItemInfoA(menu, position, TRUE, &info);
    return info;
}

void setType(HMENU menu, UINT position, UINT type) {
    MENUITEMINFOA info;
    info.fMask = MIIM_FTYPE;
    info.fType = type;
    ASSERT_EQ(SetMenuItemInfoA(menu, position, TRUE, &info), TRUE);
}

void setData(HMENU menu, UINT position, ULONG_PTR data) {
    MENUITEMINFOA info;
    info.fMask = MIIM_DATA;
    info.dwItemData = data;
    ASSERT_EQ(SetMenuItemInfoA(menu, position, TRUE, &info), TRUE);
}

HMENU popupOf(std::initializer_list<const char*> texts, UINT firstId = 100) {
    const HMENU menu = CreatePopupMenu();
    UINT id = firstId;
    for (const char* text : texts) {
        if (std::string(text) == "-")
            AppendMenuA(menu, MF_SEPARATOR, 0, QString());
        else
            AppendMenuA(menu, MF_STRING, id, QString::fromUtf8(text));
        ++id;
    }
    return menu;
}

// Text is smoothed, so its pixels are only near the ink colour.
bool near(const QColor& a, const QColor& b) {
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
               std::abs(a.blue() - b.blue()) <
           60;
}

std::vector<std::string> without(const std::vector<std::string>& log, const std::string& prefix) {
    std::vector<std::string> kept;
    for (const std::string& line : log)
        if (line.rfind(prefix, 0) != 0)
            kept.push_back(line);
    return kept;
}

class MenuManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        owner_state = &state;
        form.resize(400, 300);
        form.move(100, 100);
        owner = CreateWindowHandle(&form, QStringLiteral("TestOwner"), &ownerProc);
        ASSERT_NE(owner, 0u);
    }
    void TearDown() override {
        EndMenu();
        QCoreApplication::processEvents();
        for (HMENU menu : menus)
            DestroyMenu(menu);
        DestroyWindowHandle(owner);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        owner_state = nullptr;
    }

    HMENU keep(HMENU menu) {
        menus.push_back(menu);
        return menu;
    }

    // Tracks the menu with drive running inside TrackPopupMenu's loop. A
    // watchdog closes the menu should drive leave it open by mistake.
    BOOL track(HMENU menu, UINT flags, const std::function<void()>& drive) {
        QTimer::singleShot(0, [drive] {
            EXPECT_TRUE(MenuTracker::isTracking());
            drive();
        });
        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [] {
            ADD_FAILURE() << "the menu was still open";
            EndMenu();
        });
        watchdog.start(10000);
        return TrackPopupMenu(menu, flags, 150, 150, 0, owner, nullptr);
    }

    OwnerState state;
    QWidget form;
    HWND owner = 0;
    std::vector<HMENU> menus;
};

// ---------------------------------------------------------------------------

using MenuKeyboard = MenuManagerTest;

TEST_F(MenuKeyboard, UpAndDownSkipSeparatorsOnlyAndWrap) {
    const HMENU menu = keep(popupOf({"&Alpha", "-", "&Beta", "&Gamma"}));
    MENUITEMINFOA grey;
    grey.fMask = MIIM_STATE;
    grey.fState = MFS_GRAYED;
    SetMenuItemInfoA(menu, 2, TRUE, &grey);

    std::vector<int> path;
    const BOOL result = track(menu, TPM_RETURNCMD, [&] {
        for (int key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Up,
                        Qt::Key_Up, Qt::Key_End, Qt::Key_Home}) {
            MenuTracker::pressKey(key);
            path.push_back(MenuTracker::highlighted(0));
        }
        // The platform reports the highlighted item through its state.
        EXPECT_TRUE(itemState(menu, 0).fState & MFS_HILITE);
        EXPECT_FALSE(itemState(menu, 3).fState & MFS_HILITE);
        MenuTracker::pressKey(Qt::Key_Up);
        MenuTracker::pressKey(Qt::Key_Return);
    });
    EXPECT_EQ(path, (std::vector<int>{0, 2, 3, 0, 3, 2, 3, 0}));
    EXPECT_EQ(result, 103);
    EXPECT_FALSE(MenuTracker::isTracking());
    EXPECT_FALSE(itemState(menu, 3).fState & MFS_HILITE);
    QCoreApplication::processEvents();
    EXPECT_TRUE(state.commands.empty()); // TPM_RETURNCMD posts nothing
}

TEST_F(MenuKeyboard, DisabledItemsCanBeHighlightedButNotChosenAndEscapeCloses) {
    const HMENU menu = keep(popupOf({"&Alpha", "&Beta"}));
    MENUITEMINFOA grey;
    grey.fMask = MIIM_STATE;
    grey.fState = MFS_GRAYED;
    SetMenuItemInfoA(menu, 1, TRUE, &grey);

    const BOOL result = track(menu, 0, [&] {
        MenuTracker::highlight(1);
        MenuTracker::pressKey(Qt::Key_Return);
        EXPECT_TRUE(MenuTracker::isTracking());
        MenuTracker::choose(1);
        EXPECT_TRUE(MenuTracker::isTracking());
        MenuTracker::pressKey(Qt::Key_Escape);
    });
    EXPECT_EQ(result, FALSE);
    QCoreApplication::processEvents();
    EXPECT_TRUE(state.commands.empty());
}

TEST_F(MenuKeyboard, MnemonicsChooseAUniqueItemAndCycleThroughSeveral) {
    const HMENU menu = keep(popupOf({"&Open", "&Save", "Save &As", "Fish && &Chips", "&Sort"}));
    int afterFirstS = -2;
    int afterSecondS = -2;
    BOOL result = track(menu, TPM_RETURNCMD, [&] {
        MenuTracker::pressKey(Qt::Key_S, QStringLiteral("s"));
        afterFirstS = MenuTracker::highlighted(0);
        MenuTracker::pressKey(Qt::Key_S, QStringLiteral("S"));
        afterSecondS = MenuTracker::highlighted(0);
        EXPECT_TRUE(MenuTracker::isTracking());
        MenuTracker::pressKey(Qt::Key_A, QStringLiteral("a"));
    });
    EXPECT_EQ(afterFirstS, 1);
    EXPECT_EQ(afterSecondS, 4);
    EXPECT_EQ(result, 102);

    // "&&" is a literal ampersand; the mnemonic is the letter after the single "&".
    result =
        track(menu, TPM_RETURNCMD, [] { MenuTracker::pressKey(Qt::Key_C, QStringLiteral("c")); });
    EXPECT_EQ(result, 103);
    EXPECT_TRUE(state.menuChars.empty());
}

TEST_F(MenuKeyboard, UnmatchedCharactersGoToTheOwnerAsMenuChar) {
    const HMENU menu = keep(popupOf({"One", "Two", "Three"}));
    for (UINT i = 0; i < 3; ++i)
        setType(menu, i, MFT_OWNERDRAW);

    BOOL result = track(menu, TPM_RETURNCMD, [this] {
        state.menuCharAnswer = MAKELPARAM(0, MNC_IGNORE);
        MenuTracker::pressKey(Qt::Key_X, QStringLiteral("x"));
        EXPECT_TRUE(MenuTracker::isTracking());
        state.menuCharAnswer = MAKELPARAM(1, MNC_SELECT);
        MenuTracker::pressKey(Qt::Key_Y, QStringLiteral("y"));
        EXPECT_EQ(MenuTracker::highlighted(0), 1);
        state.menuCharAnswer = MAKELPARAM(2, MNC_EXECUTE);
        MenuTracker::pressKey(Qt::Key_Z, QStringLiteral("z"));
    });
    EXPECT_EQ(result, 102);
    ASSERT_EQ(state.menuChars.size(), 3u);
    EXPECT_EQ(state.menuChars[0], MAKEWPARAM('x', MF_POPUP));
    EXPECT_EQ(state.menuChars[2], MAKEWPARAM('z', MF_POPUP));

    result = track(menu, TPM_RETURNCMD, [this] {
        state.menuCharAnswer = MAKELPARAM(0, MNC_CLOSE);
        MenuTracker::pressKey(Qt::Key_Q, QStringLiteral("q"));
    });
    EXPECT_EQ(result, 0);
    // Enter and Space never reach the owner.
    result = track(menu, TPM_RETURNCMD, [] {
        MenuTracker::pressKey(Qt::Key_Space, QStringLiteral(" "));
        MenuTracker::pressKey(Qt::Key_Escape);
    });
    EXPECT_EQ(state.menuChars.size(), 4u);
}

TEST_F(MenuKeyboard, RightOpensASubMenuAndEscapeOrLeftClosesOneLevel) {
    const HMENU sub = popupOf({"&Inner", "I&nner two"}, 200);
    const HMENU menu = keep(popupOf({"&First"}));
    AppendMenuA(menu, MF_POPUP, sub, QStringLiteral("&More"));

    const BOOL result = track(menu, TPM_RETURNCMD, [&] {
        MenuTracker::pressKey(Qt::Key_End);
        MenuTracker::pressKey(Qt::Key_Right);
        EXPECT_EQ(MenuTracker::popupCount(), 2);
        EXPECT_EQ(MenuTracker::popupMenu(1), sub);
        EXPECT_EQ(MenuTracker::highlighted(1), 0); // the first item comes selected
        MenuTracker::pressKey(Qt::Key_Escape);
        EXPECT_EQ(MenuTracker::popupCount(), 1);
        EXPECT_EQ(MenuTracker::highlighted(0), 1);
        MenuTracker::pressKey(Qt::Key_Return); // Enter on a sub-menu item opens it
        EXPECT_EQ(MenuTracker::popupCount(), 2);
        MenuTracker::pressKey(Qt::Key_Left);
        EXPECT_EQ(MenuTracker::popupCount(), 1);
        MenuTracker::pressKey(Qt::Key_M, QStringLiteral("m"));
        MenuTracker::pressKey(Qt::Key_Down);
        MenuTracker::pressKey(Qt::Key_Return);
    });
    EXPECT_EQ(result, 201);
}

// ---------------------------------------------------------------------------

using MenuMessages = MenuManagerTest;

TEST_F(MenuMessages, OpenHoverSubMenuAndChooseArriveInThePlatformOrder) {
    const HMENU sub = popupOf({"Deep"}, 20);
    setType(sub, 0, MFT_OWNERDRAW);
    const HMENU menu = keep(popupOf({"Ten", "Eleven"}, 10));
    setType(menu, 0, MFT_OWNERDRAW);
    setType(menu, 1, MFT_OWNERDRAW);
    setData(menu, 1, 0xABC);
    AppendMenuA(menu, MF_POPUP, sub, QStringLiteral("Sub"));

    bool returned = false;
    const BOOL result = track(menu, 0, [&] {
        MenuTracker::highlight(0);
        MenuTracker::highlight(1);
        MenuTracker::highlight(2); // opens the sub-menu at once
        MenuTracker::choose(0);
    });
    returned = true;
    EXPECT_EQ(result, TRUE);
    EXPECT_TRUE(state.commands.empty()) << "the command is posted, not sent";
    QCoreApplication::processEvents();
    ASSERT_TRUE(returned);

    const std::string m = hex(menu);
    const std::string s = hex(sub);
    const std::vector<std::string> expected = {
        "enterloop 1",
        "initmenu " + m,
        "initpopup " + m + " 0",
        "measure 10 16",
        "measure 11 16",
        "draw 10 1 0",
        "draw 11 1 0",
        "draw 10 2 1",
        "select " + hex(MAKEWPARAM(10, MF_HILITE | MF_OWNERDRAW)) + " " + m,
        "draw 10 2 0",
        "draw 11 2 1",
        "select " + hex(MAKEWPARAM(11, MF_HILITE | MF_OWNERDRAW)) + " " + m,
        "draw 11 2 0",
        "select " + hex(MAKEWPARAM(2, MF_HILITE | MF_POPUP)) + " " + m,
        "initpopup " + s + " 2",
        "measure 20 16",
        "draw 20 1 0",
        "draw 20 2 1",
        "select " + hex(MAKEWPARAM(20, MF_HILITE | MF_OWNERDRAW)) + " " + s,
        "uninitpopup " + s,
        "uninitpopup " + m,
        "select ffff0000 0",
        "exitloop 1",
        "command 20",
    };
    EXPECT_EQ(without(state.log, "enteridle"), expected);

    // The draw records describe the item and its menu.
    ASSERT_GE(state.draws.size(), 2u);
    const DRAWITEMSTRUCT& second = state.draws[1];
    EXPECT_EQ(second.CtlType, ODT_MENU);
    EXPECT_EQ(second.hwndItem, static_cast<HWND>(menu));
    EXPECT_EQ(second.itemData, 0xABCu);
    // Owners draw from the client corner inside the 3-pixel frame.
    EXPECT_EQ(second.rcItem.left, 0);
    EXPECT_EQ(second.rcItem.top, 20);
    EXPECT_EQ(second.rcItem.bottom - second.rcItem.top, 20);
}

TEST_F(MenuMessages, NoNotifyLeavesOutTheLoopAndPopupNotifications) {
    const HMENU menu = keep(popupOf({"Only"}, 7));
    const BOOL result = track(menu, TPM_NONOTIFY | TPM_RETURNCMD, [] { MenuTracker::choose(0); });
    EXPECT_EQ(result, 7);
    QCoreApplication::processEvents();
    const std::vector<std::string> expected = {
        "select " + hex(MAKEWPARAM(7, MF_HILITE)) + " " + hex(menu),
        "select ffff0000 0",
    };
    EXPECT_EQ(state.log, expected);
}

TEST_F(MenuMessages, SystemMenuCommandsArriveAsSysCommand) {
    const HMENU system = GetSystemMenu(owner, FALSE);
    ASSERT_NE(system, 0u);
    int close = -1;
    for (int i = 0; i < GetMenuItemCount(system); ++i)
        if (GetMenuItemID(system, i) == SC_CLOSE)
            close = i;
    ASSERT_GE(close, 0);
    const BOOL result = track(system, 0, [close] { MenuTracker::choose(close); });
    EXPECT_EQ(result, TRUE);
    QCoreApplication::processEvents();
    EXPECT_EQ(state.sysCommands, (std::vector<UINT>{SC_CLOSE}));
    EXPECT_TRUE(state.commands.empty());
    // The owner can tell the window menu by the high word of WM_INITMENUPOPUP.
    const std::string init = "initpopup " + hex(system) + " " + hex(MAKELPARAM(0, TRUE));
    EXPECT_NE(std::find(state.log.begin(), state.log.end(), init), state.log.end());
}

// ---------------------------------------------------------------------------

using MenuLayout = MenuManagerTest;

TEST_F(MenuLayout, BreaksStartColumnsToTheRightWithAFourPixelGap) {
    const HMENU menu = keep(popupOf({"Alpha", "Beta long text", "Gamma", "Delta", "Epsilon"}));
    setType(menu, 2, MFT_MENUBREAK);
    setType(menu, 4, MFT_MENUBARBREAK);

    std::vector<RECT> rects(5);
    QImage image;
    QPoint popupOrigin;
    track(menu, 0, [&] {
        for (UINT i = 0; i < 5; ++i)
            EXPECT_EQ(GetMenuItemRect(0, menu, i, &rects[i]), TRUE);
        MenuPopup* popup = MenuTracker::popup(0);
        popupOrigin = popup->geometry().topLeft();
        image = popup->grab().toImage();
        MenuTracker::close();
    });
    const RECT& alpha = rects[0];
    EXPECT_EQ(alpha.left - popupOrigin.x(), 3);
    EXPECT_EQ(alpha.top - popupOrigin.y(), 3);
    EXPECT_EQ(rects[1].right, alpha.right) << "a column's items share its width";
    EXPECT_EQ(rects[1].top, alpha.bottom);
    EXPECT_EQ(rects[2].left, alpha.right + 4);
    EXPECT_EQ(rects[2].top, alpha.top);
    EXPECT_EQ(rects[3].left, rects[2].left);
    EXPECT_EQ(rects[3].top, rects[2].bottom);
    EXPECT_EQ(rects[4].left, rects[2].right + 4);
    EXPECT_EQ(rects[4].top, alpha.top);
    EXPECT_EQ(image.width(), rects[4].right - popupOrigin.x() + 3);
    EXPECT_EQ(image.height(), rects[1].bottom - popupOrigin.y() + 3);

    // The etched bar in front of the MFT_MENUBARBREAK column, none before the other.
    const int bar = rects[4].left - popupOrigin.x();
    const int y = image.height() / 2;
    EXPECT_EQ(image.pixelColor(bar - 3, y), gdi::sysColor(gdi::syscolor::ButtonShadow));
    EXPECT_EQ(image.pixelColor(bar - 2, y), QColor(255, 255, 255));
    const int plainBreak = rects[2].left - popupOrigin.x();
    EXPECT_EQ(image.pixelColor(plainBreak - 3, y), gdi::sysColor(gdi::syscolor::Menu));

    // After closing, rectangles are known through the owner window only.
    RECT after;
    EXPECT_EQ(GetMenuItemRect(0, menu, 0, &after), FALSE);
    EXPECT_EQ(GetMenuItemRect(owner, menu, 0, &after), TRUE);
    const QPoint client = form.mapToGlobal(QPoint(0, 0));
    EXPECT_EQ(after.left, client.x() + 3);
    EXPECT_EQ(GetMenuItemRect(owner, menu, 9, &after), FALSE);

    // A menu never shown gives an empty rectangle at the owner's client origin.
    const HMENU fresh = keep(popupOf({"x"}));
    ASSERT_EQ(GetMenuItemRect(owner, fresh, 0, &after), TRUE);
    EXPECT_EQ(after.left, client.x());
    EXPECT_EQ(after.right, client.x());
    EXPECT_EQ(after.top, after.bottom);
}

TEST_F(MenuLayout, PopupsStayOnTheScreen) {
    const HMENU menu = keep(popupOf({"Alpha", "Beta"}));
    QRect shown;
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QTimer::singleShot(0, [&] {
        shown = MenuTracker::popup(0)->geometry();
        MenuTracker::close();
    });
    TrackPopupMenu(menu, 0, screen.right() - 5, screen.bottom() - 5, 0, owner, nullptr);
    EXPECT_TRUE(screen.contains(shown));
}

// ---------------------------------------------------------------------------

using MenuDrawing = MenuManagerTest;

TEST_F(MenuDrawing, OwnerDrawnItemsAreMeasuredAndDrawnByTheOwner) {
    const HMENU sub = keep(popupOf({"leaf"}, 30));
    const HMENU menu = keep(popupOf({"A", "B"}, 10));
    AppendMenuA(menu, MF_POPUP, sub, QStringLiteral("C"));
    for (UINT i = 0; i < 3; ++i)
        setType(menu, i, MFT_OWNERDRAW);

    QImage before;
    QImage after;
    RECT first;
    RECT third;
    track(menu, 0, [&] {
        MenuPopup* popup = MenuTracker::popup(0);
        GetMenuItemRect(popup->handle(), menu, 0, &first);
        GetMenuItemRect(0, menu, 2, &third);
        before = popup->grab().toImage();
        MenuTracker::highlight(0);
        after = popup->grab().toImage();
        MenuTracker::close();
    });
    ASSERT_FALSE(before.isNull());
    const int width = first.right - first.left;
    EXPECT_GT(width, 100) << "the platform adds twice the average character width";
    EXPECT_EQ(first.bottom - first.top, 20);
    EXPECT_EQ(before.height(), 3 * 20 + 6);

    const QColor red(255, 0, 0);
    const QColor blue(0, 0, 255);
    EXPECT_EQ(before.pixelColor(3 + 5, 3 + 10), blue);
    EXPECT_EQ(after.pixelColor(3 + 5, 3 + 10), red);
    EXPECT_EQ(after.pixelColor(3 + 5, 3 + 30), blue);
    // The frame: a raised edge around the menu colour.
    EXPECT_EQ(before.pixelColor(0, 0), gdi::sysColor(22));
    EXPECT_EQ(before.pixelColor(1, 1), QColor(255, 255, 255));
    EXPECT_EQ(before.pixelColor(before.width() - 1, before.height() - 1), QColor(64, 64, 64));
    EXPECT_EQ(before.pixelColor(before.width() - 2, before.height() - 2), QColor(128, 128, 128));
    EXPECT_EQ(before.pixelColor(2, 2), gdi::sysColor(gdi::syscolor::Menu));

    // The sub-menu arrow goes over the owner's drawing in the DC's colours.
    int black = 0;
    const int top = 3 + 40;
    for (int x = before.width() - 3 - 14; x < before.width() - 3; ++x)
        for (int y = top; y < top + 20; ++y)
            black += before.pixelColor(x, y) == QColor(0, 0, 0);
    EXPECT_GT(black, 5);
    EXPECT_EQ(before.pixelColor(3 + 5, top + 10), blue);

    // The DC came with the item's colours set.
    ASSERT_FALSE(state.drawColors.empty());
    EXPECT_EQ(state.drawColors.front().first, gdi::GetSysColor(gdi::syscolor::MenuText));
    EXPECT_EQ(state.drawColors.front().second, gdi::GetSysColor(gdi::syscolor::Menu));
    bool sawSelected = false;
    for (std::size_t i = 0; i < state.draws.size(); ++i) {
        if (state.draws[i].itemState & ODS_SELECTED) {
            sawSelected = true;
            EXPECT_EQ(state.drawColors[i].first, gdi::GetSysColor(gdi::syscolor::HighlightText));
            EXPECT_EQ(state.drawColors[i].second, gdi::GetSysColor(gdi::syscolor::Highlight));
        }
    }
    EXPECT_TRUE(sawSelected);
}

TEST_F(MenuDrawing, GrayedOwnerDrawnItemsAreReportedGrayedAndDisabled) {
    const HMENU menu = keep(popupOf({"A"}, 10));
    setType(menu, 0, MFT_OWNERDRAW);
    MENUITEMINFOA info;
    info.fMask = MIIM_STATE;
    info.fState = MFS_GRAYED | MFS_CHECKED;
    SetMenuItemInfoA(menu, 0, TRUE, &info);
    track(menu, 0, [] { MenuTracker::close(); });
    ASSERT_EQ(state.draws.size(), 1u);
    EXPECT_EQ(state.draws[0].itemState, ODS_GRAYED | ODS_DISABLED | ODS_CHECKED);
    EXPECT_EQ(state.drawColors[0].first, gdi::GetSysColor(gdi::syscolor::GrayText));
}

TEST_F(MenuDrawing, PlainItemsShowHighlightGreyTextAndCheckMarks) {
    const HMENU menu = keep(popupOf({"Mmmm", "Mmmm", "Mmmm"}));
    MENUITEMINFOA info;
    info.fMask = MIIM_STATE;
    info.fState = MFS_GRAYED;
    SetMenuItemInfoA(menu, 1, TRUE, &info);
    info.fState = MFS_CHECKED;
    SetMenuItemInfoA(menu, 2, TRUE, &info);

    QImage image;
    std::vector<RECT> rects(3);
    QPoint origin;
    track(menu, 0, [&] {
        MenuPopup* popup = MenuTracker::popup(0);
        origin = popup->geometry().topLeft();
        for (UINT i = 0; i < 3; ++i)
            GetMenuItemRect(0, menu, i, &rects[i]);
        MenuTracker::highlight(0);
        image = popup->grab().toImage();
        MenuTracker::close();
    });
    auto count = [&](int item, const QColor& colour, int fromX, int toX) {
        int n = 0;
        const RECT& r = rects[static_cast<std::size_t>(item)];
        for (int y = r.top - origin.y(); y < r.bottom - origin.y(); ++y)
            for (int x = r.left - origin.x() + fromX;
                 x < std::min(r.right - origin.x(), r.left - origin.x() + toX); ++x)
                n += near(image.pixelColor(x, y), colour);
        return n;
    };
    const QColor black(0, 0, 0);
    const QColor grey = gdi::sysColor(gdi::syscolor::GrayText);
    const QColor highlight = gdi::sysColor(gdi::syscolor::Highlight);
    // Highlighted: highlight background, white text.
    EXPECT_EQ(image.pixelColor(rects[0].left - origin.x() + 1, rects[0].top - origin.y() + 1),
              highlight);
    EXPECT_GT(count(0, QColor(255, 255, 255), 17, 1000), 5);
    // Disabled: grey text, nothing black.
    EXPECT_GT(count(1, grey, 17, 1000), 5);
    EXPECT_EQ(count(1, black, 0, 1000), 0);
    // Checked: a mark in the check column, which the others leave empty.
    EXPECT_GT(count(2, black, 0, 15), 5);
    EXPECT_EQ(count(1, grey, 0, 15), 0);
}

// ---------------------------------------------------------------------------

class MenuBar : public MenuManagerTest {
protected:
    void SetUp() override {
        MenuManagerTest::SetUp();
        file = popupOf({"&Open", "E&xit"}, 100);
        edit = popupOf({"&Copy", "&Paste"}, 200);
        bar = keep(CreateMenu());
        AppendMenuA(bar, MF_POPUP, file, QStringLiteral("&File"));
        AppendMenuA(bar, MF_POPUP, edit, QStringLiteral("&Edit"));
        SetMenu(owner, bar);
        widget = new MenuBarWidget(owner, &form); // owned by the form
        widget->setGeometry(0, 0, 400, widget->sizeHint().height());
        installMenuKeys(&form, owner);
        form.show();
    }

    void key(int code, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
             const QString& text = QString(), QEvent::Type type = QEvent::KeyPress) {
        QKeyEvent event(type, code, modifiers, text);
        QApplication::sendEvent(&form, &event);
    }

    void mouse(QEvent::Type type, int item) {
        const QPoint local = widget->items()[static_cast<std::size_t>(item)].rect.center();
        QMouseEvent event(type, local, widget->mapToGlobal(local), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }

    HMENU file = 0;
    HMENU edit = 0;
    HMENU bar = 0;
    MenuBarWidget* widget = nullptr;
};

TEST_F(MenuBar, F10EntersTheBarAndArrowsMoveBetweenMenus) {
    key(Qt::Key_F10);
    ASSERT_TRUE(MenuTracker::isTracking());
    EXPECT_EQ(MenuTracker::menuBarItem(), 0);
    EXPECT_EQ(MenuTracker::popupCount(), 0);
    EXPECT_TRUE(itemState(bar, 0).fState & MFS_HILITE);
    key(Qt::Key_Right);
    EXPECT_EQ(MenuTracker::menuBarItem(), 1);
    key(Qt::Key_Down);
    ASSERT_EQ(MenuTracker::popupCount(), 1);
    EXPECT_EQ(MenuTracker::popupMenu(0), edit);
    EXPECT_EQ(MenuTracker::highlighted(0), 0);
    key(Qt::Key_Left); // from the pop-up to the previous bar menu, open
    EXPECT_EQ(MenuTracker::menuBarItem(), 0);
    EXPECT_EQ(MenuTracker::popupMenu(0), file);
    key(Qt::Key_Escape);
    EXPECT_EQ(MenuTracker::popupCount(), 0);
    EXPECT_TRUE(MenuTracker::isTracking());
    key(Qt::Key_Escape);
    EXPECT_FALSE(MenuTracker::isTracking());
    EXPECT_FALSE(itemState(bar, 0).fState & MFS_HILITE);
    EXPECT_EQ(state.log.front(), "enterloop 0");
    EXPECT_EQ(state.log.back(), "exitloop 0");
}

TEST_F(MenuBar, AltAloneEntersTheBarAndAltWithAMnemonicOpensItsMenu) {
    key(Qt::Key_Alt, Qt::AltModifier);
    key(Qt::Key_Alt, Qt::NoModifier, QString(), QEvent::KeyRelease);
    ASSERT_TRUE(MenuTracker::isTracking());
    EXPECT_EQ(MenuTracker::menuBarItem(), 0);
    key(Qt::Key_Escape);
    EXPECT_FALSE(MenuTracker::isTracking());

    key(Qt::Key_E, Qt::AltModifier, QStringLiteral("e"));
    ASSERT_EQ(MenuTracker::popupCount(), 1);
    EXPECT_EQ(MenuTracker::popupMenu(0), edit);
    key(Qt::Key_P, Qt::NoModifier, QStringLiteral("p"));
    EXPECT_FALSE(MenuTracker::isTracking());
    QCoreApplication::processEvents();
    EXPECT_EQ(state.commands, (std::vector<UINT>{201}));
}

TEST_F(MenuBar, AMnemonicReachingAnInactiveFormsFocusWidgetOpensTheMenu) {
    // As after a dialog closes with nothing activating the form again: the
    // keys arrive at the form's own focus widget while another window is active.
    auto* edit = new QLineEdit(&form); // owned by the form
    edit->show();
    edit->setFocus();
    QWidget other;
    other.show();
    other.activateWindow();
    QApplication::setActiveWindow(&other);
    ASSERT_NE(QApplication::focusWidget(), edit);
    ASSERT_EQ(form.focusWidget(), edit);
    QKeyEvent alt(QEvent::KeyPress, Qt::Key_E, Qt::AltModifier, QStringLiteral("e"));
    QApplication::sendEvent(edit, &alt);
    ASSERT_EQ(MenuTracker::popupCount(), 1);
    EXPECT_EQ(MenuTracker::popupMenu(0), this->edit);
    EXPECT_TRUE(edit->text().isEmpty());
    key(Qt::Key_Escape);
    key(Qt::Key_Escape);
    EXPECT_FALSE(MenuTracker::isTracking());
}

TEST_F(MenuBar, ClickOpensAMenuAndHoveringSwitchesWhileOneIsOpen) {
    mouse(QEvent::MouseButtonPress, 1);
    mouse(QEvent::MouseButtonRelease, 1);
    ASSERT_EQ(MenuTracker::popupCount(), 1);
    EXPECT_EQ(MenuTracker::popupMenu(0), edit);
    EXPECT_EQ(MenuTracker::highlighted(0), -1);
    // The pop-up sits below its bar item.
    RECT item;
    ASSERT_EQ(GetMenuItemRect(owner, bar, 1, &item), TRUE);
    EXPECT_EQ(MenuTracker::popup(0)->geometry().top(), item.bottom);
    EXPECT_EQ(MenuTracker::popup(0)->geometry().left(), item.left);

    mouse(QEvent::MouseMove, 0);
    EXPECT_EQ(MenuTracker::popupMenu(0), file);
    mouse(QEvent::MouseButtonPress, 0); // the open menu's item again closes it
    EXPECT_FALSE(MenuTracker::isTracking());
}

TEST_F(MenuBar, FollowsChangesOfTheMenu) {
    const int before = static_cast<int>(widget->items().size());
    AppendMenuA(bar, MF_STRING, 300, QStringLiteral("&Help"));
    DrawMenuBar(owner);
    EXPECT_EQ(static_cast<int>(widget->items().size()), before + 1);
    // A command item on the bar is carried out by its mnemonic.
    key(Qt::Key_H, Qt::AltModifier, QStringLiteral("h"));
    EXPECT_FALSE(MenuTracker::isTracking());
    QCoreApplication::processEvents();
    EXPECT_EQ(state.commands, (std::vector<UINT>{300}));
}

} // namespace
