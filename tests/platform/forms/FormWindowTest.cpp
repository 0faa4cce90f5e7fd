// The form's window: its handle and class, its procedure at the end of the
// chain, the size limits the chain answers, and its destruction on unload.
#include "FormTestSupport.h"
#include "platform/win/MenuManager.h"
#include "platform/win/Messages.h"
#include "platform/win/Window.h"
#include <gtest/gtest.h>

using namespace platform::win;
using platform::forms::HostForm;
using namespace forms_test;

namespace {

// A window procedure put in front of the form's, as a control would.
struct Subclass {
    WNDPROC previous = nullptr;
    std::vector<UINT> messages;
    MINMAXINFO seen;          // what came back from the form's procedure
    POINT minTrack{320, 240}; // what this procedure answers
    POINT maxTrack{640, 480};
};
Subclass subclass;

LRESULT subclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    subclass.messages.push_back(message);
    const LRESULT result = CallWindowProc(subclass.previous, hwnd, message, wParam, lParam);
    if (message == WM_GETMINMAXINFO) {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        subclass.seen = *info;
        info->ptMinTrackSize = subclass.minTrack;
        info->ptMaxTrackSize = subclass.maxTrack;
    }
    return result;
}

class FormWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        subclass = Subclass{};
        window.setMinimumSize(50, 40);
        form = std::make_unique<HostForm>(&window, readerLikeForm(clicks));
        form->load();
        hwnd = form->windowHandle();
    }
    void hook() {
        subclass.previous = reinterpret_cast<WNDPROC>(
            SetWindowLongPtr(hwnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&subclassProc)));
        ASSERT_NE(subclass.previous, nullptr);
    }
    void unhook() {
        SetWindowLongPtr(hwnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(subclass.previous));
    }

    QMainWindow window;
    QStringList clicks;
    std::unique_ptr<HostForm> form;
    HWND hwnd = 0;
};

TEST_F(FormWindowTest, TheFormsWindowIsRegisteredOnce) {
    ASSERT_NE(hwnd, 0u);
    EXPECT_EQ(windowOfWidget(&window), hwnd);
    EXPECT_EQ(widgetOfWindow(hwnd), &window);
    EXPECT_EQ(className(hwnd), QStringLiteral("ThunderRT6FormDC"));
    form->load(); // already loaded: nothing changes
    EXPECT_EQ(form->windowHandle(), hwnd);
    EXPECT_TRUE(IsWindow(hwnd));
}

TEST_F(FormWindowTest, SizeLimitsComeFromTheProcedureChain) {
    hook();
    window.show();
    window.resize(100, 100);
    // The form's own procedure reported the window's own limits first.
    EXPECT_EQ(subclass.seen.ptMinTrackSize.x, 50);
    EXPECT_EQ(subclass.seen.ptMinTrackSize.y, 40);
    EXPECT_GT(subclass.seen.ptMaxSize.x, 0);
    EXPECT_EQ(window.minimumSize(), QSize(320, 240));
    EXPECT_EQ(window.maximumSize(), QSize(640, 480));
    EXPECT_GE(window.width(), 320);
    window.resize(2000, 2000);
    EXPECT_LE(window.width(), 640);
    EXPECT_LE(window.height(), 480);

    // Limits are asked afresh, not stacked on the previous answer.
    unhook();
    form->updateSizeLimits();
    EXPECT_EQ(window.minimumSize(), QSize(50, 40));
}

TEST_F(FormWindowTest, AMaximumBelowTheMinimumGivesWayToTheMinimum) {
    subclass.minTrack = {500, 400};
    subclass.maxTrack = {300, -5};
    hook();
    form->updateSizeLimits();
    EXPECT_EQ(window.minimumSize(), QSize(500, 400));
    EXPECT_EQ(window.maximumSize(), QSize(500, 400));
}

TEST_F(FormWindowTest, UnloadSendsDestroyAndGivesTheWindowItsOwnLimitsBack) {
    hook();
    form->updateSizeLimits();
    subclass.messages.clear();
    form->unload();
    EXPECT_NE(std::find(subclass.messages.begin(), subclass.messages.end(), WM_DESTROY),
              subclass.messages.end());
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(windowOfWidget(&window), 0u);
    EXPECT_EQ(window.minimumSize(), QSize(50, 40));
    // A command after unload goes nowhere.
    EXPECT_EQ(SendMessage(hwnd, WM_COMMAND, 1, 0), 0);
    EXPECT_TRUE(clicks.isEmpty());
    // And the form loads again with fresh menus.
    form->load();
    EXPECT_NE(GetMenu(form->windowHandle()), 0u);
    EXPECT_EQ(GetMenuItemCount(GetMenu(form->windowHandle())), 3);
}

TEST_F(FormWindowTest, TheMainWindowShowsTheMenuBar) {
    ASSERT_NE(window.menuWidget(), nullptr);
    auto* bar = qobject_cast<MenuBarWidget*>(window.menuWidget());
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->owner(), hwnd);
    form->unload();
    EXPECT_EQ(window.menuWidget(), nullptr);
}

} // namespace
