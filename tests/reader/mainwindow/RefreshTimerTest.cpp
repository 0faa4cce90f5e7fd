#include "reader/mainwindow/RefreshTimer.h"
#include "platform/runtime/MessageBox.h"
#include "reader/app/AppState.h"
#include "reader/mainwindow/MainWindowModel.h"
#include "support/RecordingView.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

using namespace quillet;
using testing_support::ProgramFolder;
using testing_support::RecordingView;

namespace {

class Timer : public ::testing::Test {
protected:
    Timer() : app(folder.path(), nullptr), timer(app, window, view) {
        window.Tab1.setTag(1, QStringLiteral("1"));
        window.Tab1.addTab(QString(), QStringLiteral("4"));
        window.tvw1.addNode(QString(), QStringLiteral("root_1"), QStringLiteral("F"),
                            QStringLiteral("CLOSE"));
    }
    void ticks(int count) {
        for (int i = 0; i < count; ++i)
            timer.tick();
    }
    QString entry(int n) const { return QStringLiteral("mnuViewAutoRefresh_time(%1)").arg(n); }
    int refreshes() const {
        return static_cast<int>(view.log.filter(QStringLiteral("refresh")).size());
    }

    ProgramFolder folder;
    AppState app;
    MainWindowModel window;
    RecordingView view;
    RefreshTimer timer;
};

} // namespace

TEST_F(Timer, TheSwitchPreselectsFiveMinutesAndEnablesTheEntriesOnlyWhileOn) {
    timer.switchClick();
    EXPECT_TRUE(timer.isOn());
    EXPECT_EQ(timer.interval(), 300000);
    for (int n = 1; n <= 8; ++n) {
        EXPECT_TRUE(window.menus.state(entry(n)).enabled);
        EXPECT_EQ(window.menus.state(entry(n)).checked, n == 5);
    }
    ticks(599);
    EXPECT_EQ(refreshes(), 0);
    ticks(1);
    EXPECT_EQ(view.log, (QStringList{QStringLiteral("refresh 1"), QStringLiteral("refresh 4")}));

    timer.switchClick();
    EXPECT_FALSE(timer.isOn());
    EXPECT_EQ(timer.interval(), 0);
    EXPECT_FALSE(window.menus.state(entry(3)).enabled);
    ticks(1000);
    EXPECT_EQ(refreshes(), 2);
}

TEST_F(Timer, AnEntryRestartsTheCountWithItsInterval) {
    timer.switchClick();
    ticks(7);
    timer.intervalClick(1);
    EXPECT_EQ(timer.elapsed(), 0);
    EXPECT_TRUE(window.menus.state(entry(1)).checked);
    EXPECT_FALSE(window.menus.state(entry(5)).checked);
    ticks(9);
    EXPECT_EQ(refreshes(), 0);
    ticks(1);
    EXPECT_EQ(refreshes(), 2);
    ticks(10);
    EXPECT_EQ(refreshes(), 4);
}

TEST_F(Timer, TheFavouritesBarFollowsTheSelectionAndAnEmptyTreeStopsEverything) {
    window.tlb3.setEnabled(true);
    timer.tick();
    EXPECT_FALSE(window.tlb3.isEnabled());
    window.tvw1.setSelectedIndex(1);
    timer.tick();
    EXPECT_TRUE(window.tlb3.isEnabled());

    window.tvw1.clear();
    timer.switchClick();
    timer.intervalClick(1);
    app.patrolOn = true;
    app.patrolPeriod = 1;
    ticks(20);
    EXPECT_EQ(refreshes(), 0);
    EXPECT_TRUE(window.tlb3.isEnabled());
    EXPECT_EQ(app.patrolElapsed, 0);
}

TEST_F(Timer, ThePatrolRunsWhenItsPeriodIsReachedAndStartsCountingAgain) {
    int runs = 0;
    timer.runPatrol = [&runs] { ++runs; };
    timer.patrolHourMs = 2000;
    ticks(8);
    EXPECT_EQ(runs, 0); // not switched on yet
    app.patrolOn = true;
    app.patrolPeriod = 2;
    ticks(7);
    EXPECT_EQ(runs, 0);
    EXPECT_EQ(app.patrolElapsed, 3500);
    ticks(1);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(app.patrolElapsed, 0);
    ticks(8);
    EXPECT_EQ(runs, 2);

    // A run that lets the timer tick inside it does not start a second one.
    timer.runPatrol = [&] {
        ++runs;
        ticks(20);
    };
    ticks(8);
    EXPECT_EQ(runs, 3);
}
