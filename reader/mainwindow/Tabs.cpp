#include "reader/mainwindow/Tabs.h"

#include "reader/app/AppState.h"
#include "reader/mainwindow/MainWindowModel.h"

namespace quillet {

QString ExtraRequestHeaders() {
    return QStringLiteral("Content-Type: application/x-www-form-urlencoded\r\n"
                          "User-Agent: Quillet/1.00\r\n");
}

int currentBrowserIndex(const MainWindowModel& window) {
    for (int position = 1; position <= window.Tab1.count(); ++position) {
        if (window.Tab1.selected() == position)
            return window.Tab1.tag(position).toInt();
    }
    return 0;
}

int AddCountedTab(AppState& app, MainWindowModel& window) {
    // Both counters are checked before anything changes, so an overflow adds nothing.
    const platform::Int16 tabs = app.TabCounter + 1;
    const platform::Int16 browser = app.LastBrowserIndex + 1;
    app.TabCounter = tabs;
    app.LastBrowserIndex = browser;
    const int index = browser.value();
    window.Tab1.addTab(QString(), QString::number(index));
    return index;
}

void OpenNewTab(AppState& app, MainWindowModel& window, MainWindowView& view,
                const QString& address, const QString& headers, bool offline) {
    const int index = AddCountedTab(app, window);
    view.createBrowser(index);
    view.hideBrowser(index);
    view.setBrowserOffline(index, offline);
    if (address.isEmpty())
        view.browserGoHome(index);
    else if (!headers.isEmpty())
        view.navigateBrowser(index, address, headers);
    else
        view.navigateBrowser(index, address);
}

void SwitchTab(AppState& app, MainWindowModel& window, MainWindowView& view) {
    app.CurrentTabIndex = platform::Int16::checked(window.Tab1.selected());
    for (int position = 1; position <= window.Tab1.count(); ++position)
        view.hideBrowser(window.Tab1.tag(position).toInt());
    const int current = app.CurrentTabIndex.value();
    if (current < 1 || current > window.Tab1.count())
        return;
    const int browser = window.Tab1.tag(current).toInt();
    view.bringBrowserToFront(browser);
    view.setCaption(window.Tab1.caption(current) + QStringLiteral(" - Quillet"));
    window.comURL.setText(view.browserLocation(browser));
}

void SelectTab(AppState& app, MainWindowModel& window, MainWindowView& view, int position) {
    if (position < 1 || position > window.Tab1.count())
        return;
    window.Tab1.select(position);
    SwitchTab(app, window, view);
}

void StepTab(AppState& app, MainWindowModel& window, MainWindowView& view, int step) {
    const int count = window.Tab1.count();
    if (count == 0)
        return;
    const int from = window.Tab1.selected() - 1;
    SelectTab(app, window, view, ((from + step) % count + count) % count + 1);
}

void CloseCurrentTab(AppState& app, MainWindowModel& window, MainWindowView& view) {
    const int current = app.CurrentTabIndex.value();
    if (current <= 1 || current > window.Tab1.count())
        return;
    view.destroyBrowser(window.Tab1.tag(current).toInt());
    window.Tab1.removeTab(current);
    // The tab to the left becomes current the way a click makes a tab current,
    // so the caption and the address box show its page, not the closed one's.
    SelectTab(app, window, view, current - 1);
}

bool isCurrentBrowser(const MainWindowModel& window, int browserIndex) {
    return browserIndex != 0 && currentBrowserIndex(window) == browserIndex;
}

QString withHttpScheme(const QString& typed) {
    return typed.startsWith(QLatin1String("http")) ? typed : QStringLiteral("http://") + typed;
}

void GoToAddress(MainWindowModel& window, MainWindowView& view) {
    const QString typed = window.comURL.text();
    if (typed.isEmpty())
        return;
    const QString address = withHttpScheme(typed);
    if (address != typed)
        window.comURL.setText(address);
    view.navigateBrowser(currentBrowserIndex(window), address, ExtraRequestHeaders());
}

} // namespace quillet
