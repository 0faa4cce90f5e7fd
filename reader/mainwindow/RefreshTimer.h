#pragma once
// The main window's 500 ms timer without its clock: the automatic reload of
// every tab's page at the interval chosen in the View menu, the favourites bar
// enabled while a tree node is selected, and the news patrol's clock.
#include <cstdint>
#include <functional>

namespace quillet {

struct AppState;
struct MainWindowModel;
class MainWindowView;

class RefreshTimer {
public:
    static constexpr std::int32_t TickMs = 500;
    static constexpr int IntervalCount = 8;
    static constexpr std::int32_t HourMs = 3600000;

    RefreshTimer(AppState& app, MainWindowModel& window, MainWindowView& view);

    // mnuViewAutoRefreshEnable: on with "5分" preselected, or off.
    void switchClick();
    // mnuViewAutoRefresh_time(n), n from 1 to 8.
    void intervalClick(int n);
    // One tick of tim1. Runs the patrol through runPatrol when it is due.
    void tick();

    bool isOn() const;
    std::int32_t interval() const { return interval_; }
    std::int32_t elapsed() const { return elapsed_; }

    // Called when the patrol's elapsed time reaches its period; the elapsed
    // time then starts again from 0, so the 32-bit count never overflows.
    std::function<void()> runPatrol;
    // The length of one patrol hour in milliseconds; tests shorten it.
    std::int32_t patrolHourMs = HourMs;

private:
    void setIntervalChecks(int checked);

    AppState& app_;
    MainWindowModel& window_;
    MainWindowView& view_;
    std::int32_t interval_ = 0;
    std::int32_t elapsed_ = 0;
    bool patrolRunning_ = false;
};

} // namespace quillet
