#include "reader/mainwindow/RefreshTimer.h"

#include "reader/app/AppState.h"
#include "reader/mainwindow/MainWindowModel.h"

#include <limits>

namespace quillet {

namespace {

const QString SwitchMenu = QStringLiteral("mnuViewAutoRefreshEnable");

QString intervalMenu(int n) {
    return QStringLiteral("mnuViewAutoRefresh_time(%1)").arg(n);
}

constexpr std::int32_t Intervals[RefreshTimer::IntervalCount] = {5000,   10000,  30000,   60000,
                                                                 300000, 600000, 1800000, 3600000};
constexpr int PreselectedInterval = 5;

} // namespace

RefreshTimer::RefreshTimer(AppState& app, MainWindowModel& window, MainWindowView& view)
    : app_(app), window_(window), view_(view) {}

bool RefreshTimer::isOn() const {
    return window_.menus.state(SwitchMenu).checked;
}

void RefreshTimer::setIntervalChecks(int checked) {
    for (int n = 1; n <= IntervalCount; ++n)
        window_.menus.setChecked(intervalMenu(n), n == checked);
}

void RefreshTimer::switchClick() {
    const bool on = !isOn();
    window_.menus.setChecked(SwitchMenu, on);
    for (int n = 1; n <= IntervalCount; ++n)
        window_.menus.setEnabled(intervalMenu(n), on);
    if (on) {
        setIntervalChecks(PreselectedInterval);
        interval_ = Intervals[PreselectedInterval - 1];
    } else {
        interval_ = 0;
    }
    elapsed_ = 0;
}

void RefreshTimer::intervalClick(int n) {
    if (n < 1 || n > IntervalCount)
        return;
    setIntervalChecks(n);
    interval_ = Intervals[n - 1];
    elapsed_ = 0;
}

void RefreshTimer::tick() {
    auto& tree = window_.tvw1;
    if (tree.count() == 0)
        return;
    const bool selected = tree.selectedIndex() != 0;
    if (selected)
        window_.tlb3.setEnabled(true);
    if (isOn()) {
        elapsed_ += TickMs;
        if (elapsed_ >= interval_) {
            for (int position = 1; position <= window_.Tab1.count(); ++position)
                view_.refreshBrowser(window_.Tab1.tag(position).toInt());
            elapsed_ = 0;
        }
    }
    if (!selected)
        window_.tlb3.setEnabled(false);
    if (!app_.patrolOn || patrolRunning_)
        return;
    if (app_.patrolElapsed <= std::numeric_limits<std::int32_t>::max() - TickMs)
        app_.patrolElapsed += TickMs;
    // The period is in hours (1 to 12); a longer one could not be counted.
    const std::int64_t period = static_cast<std::int64_t>(app_.patrolPeriod) * patrolHourMs;
    if (period > 0 && app_.patrolElapsed >= period) {
        app_.patrolElapsed = 0;
        if (runPatrol) {
            // The run yields between feeds; ticks meanwhile must not start another.
            patrolRunning_ = true;
            runPatrol();
            patrolRunning_ = false;
        }
    }
}

} // namespace quillet
