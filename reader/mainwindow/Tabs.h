#pragma once
// The tab model: the tab strip Tab1 and the family of browsers wbr1, one per
// tab; each tab's tag holds its browser's index. Indexes grow from 1 and are
// never reused; the first tab never closes.
#include <QString>

namespace quillet {

struct AppState;
struct MainWindowModel;
class MainWindowView;

// "Content-Type: application/x-www-form-urlencoded" and the reader's user agent,
// sent with the navigations the reader starts itself.
QString ExtraRequestHeaders();

// Counts a new tab and its browser and adds the tab at the end, its tag the
// new browser index, which it returns; the caller makes the browser. Raises 6
// when a counter would pass 32767, before anything changes.
int AddCountedTab(AppState& app, MainWindowModel& window);
// Adds a tab at the end with a new browser, hidden and not selected. An empty
// address sends it home. Raises 6 when a counter would pass 32767.
void OpenNewTab(AppState& app, MainWindowModel& window, MainWindowView& view,
                const QString& address, const QString& headers, bool offline);
// The tab strip's selected tab becomes current: its browser is the one shown,
// and the caption and the address box show its page. Every way of changing
// the tab (click, keys, wheel, closing) ends here.
void SwitchTab(AppState& app, MainWindowModel& window, MainWindowView& view);
// Selects the tab at the position (1 to count) and switches to it.
void SelectTab(AppState& app, MainWindowModel& window, MainWindowView& view, int position);
// Selects the tab step positions to the right (left when negative), wrapping
// around the ends, and switches to it.
void StepTab(AppState& app, MainWindowModel& window, MainWindowView& view, int step);
// Closes the current tab unless it is the first; the tab to its left becomes current.
void CloseCurrentTab(AppState& app, MainWindowModel& window, MainWindowView& view);
// The browser index of the selected tab, 0 when there is none.
int currentBrowserIndex(const MainWindowModel& window);
// Whether the browser is the one of the selected tab, the one the user sees.
bool isCurrentBrowser(const MainWindowModel& window, int browserIndex);

// The typed address with "http://" put in front unless it begins with "http"
// (case-sensitive).
QString withHttpScheme(const QString& typed);
// Go to the address box's text: "http://" is put in front unless it begins
// with "http" (case-sensitive); empty text does nothing.
void GoToAddress(MainWindowModel& window, MainWindowView& view);

} // namespace quillet
