#include "platform/win/Window.h"
#include "platform/win/Messages.h"

#include <QCoreApplication>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace platform::win;

namespace {

// Window procedures are plain functions, so what they see goes to globals that
// each test resets.
std::vector<std::string> seen;
LONG_PTR previousOfA = 0;
LONG_PTR previousOfB = 0;
HANDLE removedAtNcDestroy = 0;

std::string msg(const char* who, UINT message) {
    return std::string(who) + " " + std::to_string(message);
}

LONG_PTR asLong(WNDPROC proc) {
    return reinterpret_cast<LONG_PTR>(proc);
}

LRESULT formProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    seen.push_back(msg("form", message));
    if (message == WM_NCDESTROY) {
        removedAtNcDestroy = RemoveProp(hwnd, "Owner"); // as an owner must
    }
    return message == WM_USER ? 7 : DefWindowProc(hwnd, message, wParam, lParam);
}

// Subclasses change the result on its way back, so the path is visible.
LRESULT procA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    seen.push_back(msg("A", message));
    return CallWindowProc(reinterpret_cast<WNDPROC>(previousOfA), hwnd, message, wParam, lParam) *
           10;
}

LRESULT procB(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    seen.push_back(msg("B", message));
    return CallWindowProc(reinterpret_cast<WNDPROC>(previousOfB), hwnd, message, wParam, lParam) +
           1;
}

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        seen.clear();
        previousOfA = previousOfB = 0;
        removedAtNcDestroy = 0;
        hwnd = CreateWindowHandle(&widget, "QuilletForm", &formProc);
    }
    void TearDown() override {
        DestroyWindowHandle(hwnd);
        QCoreApplication::processEvents();
    }
    void installBoth() {
        previousOfA = SetWindowLongPtr(hwnd, GWL_WNDPROC, asLong(&procA));
        previousOfB = SetWindowLongPtr(hwnd, GWL_WNDPROC, asLong(&procB));
    }
    QWidget widget;
    HWND hwnd = 0;
};

TEST_F(WindowTest, SubclassesSeeMessagesLastInstalledFirstAndResultsTravelBack) {
    installBoth();
    EXPECT_EQ(previousOfA, asLong(&formProc));
    EXPECT_EQ(previousOfB, asLong(&procA));
    EXPECT_EQ(SendMessage(hwnd, WM_USER, 0, 0), 71); // 7 * 10 + 1
    EXPECT_EQ(seen, (std::vector<std::string>{msg("B", WM_USER), msg("A", WM_USER),
                                              msg("form", WM_USER)}));

    EXPECT_EQ(SetWindowLongPtr(hwnd, GWL_WNDPROC, previousOfB), asLong(&procB));
    EXPECT_EQ(SetWindowLongPtr(hwnd, GWL_WNDPROC, previousOfA), asLong(&procA));
    seen.clear();
    EXPECT_EQ(SendMessage(hwnd, WM_USER, 0, 0), 7);
    EXPECT_EQ(seen, std::vector<std::string>{msg("form", WM_USER)});
}

TEST_F(WindowTest, RemovingSubclassesOutOfOrderBringsTheRemovedOneBack) {
    installBoth();
    SetWindowLongPtr(hwnd, GWL_WNDPROC, previousOfA); // A leaves first: B is cut off too
    EXPECT_EQ(SendMessage(hwnd, WM_USER, 0, 0), 7);
    SetWindowLongPtr(hwnd, GWL_WNDPROC, previousOfB); // B puts back what it replaced: A
    seen.clear();
    EXPECT_EQ(SendMessage(hwnd, WM_USER, 0, 0), 70);
    EXPECT_EQ(seen, (std::vector<std::string>{msg("A", WM_USER), msg("form", WM_USER)}));
}

TEST_F(WindowTest, WindowWithoutItsOwnProcedureStillGivesSubclassesSomethingToCall) {
    const HWND bare = CreateWindowHandle(nullptr, "Bare", nullptr);
    const LONG_PTR previous = SetWindowLongPtr(bare, GWL_WNDPROC, asLong(&procA));
    EXPECT_NE(previous, 0) << "0 would read as a failed install";
    EXPECT_EQ(SetWindowLongPtr(bare, GWL_WNDPROC, 0), 0) << "a null procedure is refused";
    EXPECT_EQ(SetWindowLongPtr(bare, -21, 5), 0) << "other indexes are not kept";
    EXPECT_EQ(GetWindowLongPtr(bare, GWL_WNDPROC), asLong(&procA));
    EXPECT_EQ(CallWindowProc(nullptr, bare, WM_MENUCHAR, 'x', 0), 0);
    DestroyWindowHandle(bare);
    EXPECT_EQ(SetWindowLongPtr(bare, GWL_WNDPROC, asLong(&procB)), 0);
    EXPECT_EQ(SendMessage(bare, WM_USER, 0, 0), 0);
}

TEST_F(WindowTest, PropertiesIgnoreCaseAndLastUntilNcDestroy) {
    EXPECT_EQ(SetProp(hwnd, "OldProc", 11), TRUE);
    EXPECT_EQ(SetProp(hwnd, "OLDPROC", 12), TRUE);
    EXPECT_EQ(GetProp(hwnd, "oldproc"), 12u) << "same name in other case replaces";
    EXPECT_EQ(RemoveProp(hwnd, "oldPROC"), 12u);
    EXPECT_EQ(GetProp(hwnd, "OldProc"), 0u);
    EXPECT_EQ(RemoveProp(hwnd, "OldProc"), 0u);

    SetProp(hwnd, "Owner", 21);
    SetProp(hwnd, "Leftover", 22);
    DestroyWindowHandle(hwnd);
    EXPECT_EQ(seen, (std::vector<std::string>{msg("form", WM_DESTROY), msg("form", WM_NCDESTROY)}));
    EXPECT_EQ(removedAtNcDestroy, 21u);
    EXPECT_EQ(GetProp(hwnd, "Leftover"), 0u);
    EXPECT_EQ(SetProp(hwnd, "Late", 1), FALSE);
    const HWND next = CreateWindowHandle(nullptr, "Props", nullptr);
    EXPECT_GT(next, hwnd) << "handles are never reused";
    DestroyWindowHandle(next);
}

TEST_F(WindowTest, PostedMessagesArriveInOrderAndNeverAtADeadWindow) {
    PostMessage(hwnd, WM_USER + 1, 0, 0);
    PostMessage(hwnd, WM_USER + 2, 0, 0);
    SendMessage(hwnd, WM_USER, 0, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(seen, (std::vector<std::string>{msg("form", WM_USER), msg("form", WM_USER + 1),
                                              msg("form", WM_USER + 2)}));

    PostMessage(hwnd, WM_USER, 0, 0);
    DestroyWindowHandle(hwnd);
    seen.clear();
    QCoreApplication::processEvents();
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(PostMessage(hwnd, WM_USER, 0, 0), FALSE);
}

TEST_F(WindowTest, WidgetDeletedByQtTakesItsHandleAlong) {
    auto parent = std::make_unique<QWidget>();
    auto* child = new QWidget(parent.get()); // owned by parent
    const HWND childHandle = CreateWindowHandle(child, "Child", &formProc);
    EXPECT_EQ(windowOfWidget(child), childHandle);
    EXPECT_EQ(widgetOfWindow(childHandle), child);
    EXPECT_EQ(CreateWindowHandle(child, "Again", nullptr), 0u) << "one handle per widget";

    PostMessage(childHandle, WM_USER, 0, 0);
    parent.reset();
    EXPECT_EQ(IsWindow(childHandle), FALSE);
    EXPECT_EQ(seen, (std::vector<std::string>{msg("form", WM_DESTROY), msg("form", WM_NCDESTROY)}));
    QCoreApplication::processEvents();
    EXPECT_EQ(seen.size(), 2u);

    // Destroying the handle first leaves the widget alone and free for a new one.
    DestroyWindowHandle(hwnd);
    EXPECT_EQ(windowOfWidget(&widget), 0u);
    hwnd = CreateWindowHandle(&widget, "QuilletForm", &formProc);
    EXPECT_EQ(widgetOfWindow(hwnd), &widget);
}

TEST_F(WindowTest, DefaultProcedureCarriesOutSystemCommands) {
    widget.show();
    SendMessage(hwnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(widget.isMinimized());
    SendMessage(hwnd, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_FALSE(widget.isMinimized());
    SendMessage(hwnd, WM_SYSCOMMAND, SC_MAXIMIZE | 0x2, 0); // low bits are not the command
    EXPECT_TRUE(widget.isMaximized());

    MINMAXINFO limits;
    limits.ptMaxTrackSize = {640, 480};
    EXPECT_EQ(SendMessage(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits)), 0);
    EXPECT_EQ(limits.ptMaxTrackSize.x, 640);

    // SC_CLOSE comes back through the chain as a posted WM_CLOSE.
    seen.clear();
    SendMessage(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(widget.isVisible());
    QCoreApplication::processEvents();
    EXPECT_EQ(seen, (std::vector<std::string>{msg("form", WM_SYSCOMMAND), msg("form", WM_CLOSE)}));
    EXPECT_FALSE(widget.isVisible());
}

TEST_F(WindowTest, ClassNameIsCutToTheBufferWithRoomForTheNul) {
    char buffer[16] = "xxxxxxxxxxxxxxx";
    EXPECT_EQ(GetClassNameA(hwnd, buffer, 5), 4);
    EXPECT_STREQ(buffer, "Quil");
    EXPECT_EQ(buffer[5], 'x') << "nothing written past the given size";
    EXPECT_EQ(GetClassNameA(hwnd, buffer, 12), 11);
    EXPECT_STREQ(buffer, "QuilletForm");
    buffer[0] = 'x';
    EXPECT_EQ(GetClassNameA(hwnd, buffer, 0), 0);
    EXPECT_EQ(buffer[0], 'x');
    DestroyWindowHandle(hwnd);
    EXPECT_EQ(GetClassNameA(hwnd, buffer, sizeof buffer), 0);
    EXPECT_EQ(className(hwnd), QString());
}

} // namespace
