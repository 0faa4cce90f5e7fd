#pragma once
// The reader's main road for a feed chosen in the tree: download, parse, build
// the page and show it in the current tab.
#include <QString>
#include <cstdint>

namespace quillet {

struct AppState;
struct MainWindowModel;
class MainWindowView;

void OpenFeed(AppState& app, MainWindowModel& window, MainWindowView& view);
// Builds the article page from the current skin and the list, then has the
// browser of the selected tab show it (an earlier page when building failed).
std::int32_t ShowNewsPage(AppState& app, MainWindowModel& window, MainWindowView& view);
// The listed feed's node in the tree shows how many of its rows are unread.
void ShowListedFeedUnreadCount(const AppState& app, MainWindowModel& window);
// The browser of every selected tab navigates to the address.
void navigateSelectedTabs(MainWindowModel& window, MainWindowView& view, const QString& address);

} // namespace quillet
