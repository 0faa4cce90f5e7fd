#pragma once
// Opening an article from the list: shown in the current tab, recorded in the
// page history, and its title remembered as read.
#include <QDateTime>
#include <QString>

namespace quillet {

struct AppState;
struct MainWindowModel;
class MainWindowView;

void OpenArticle(AppState& app, MainWindowModel& window, MainWindowView& view);

// One line of "data/profile/History.lst": "title","source",#yyyy-mm-dd hh:mm:ss#,"link",
// with the time left out at exactly midnight.
QString historyRecord(const QString& title, const QString& source, const QDateTime& when,
                      const QString& link);

// What the list pop-up's copy entries put on the clipboard for the selected
// row: its title, its link, or both joined by one blank; empty without a
// selected row.
QString articleClipboardText(const MainWindowModel& window, bool title, bool link);

// The status text for a click on a tree node: the number of its feeds for a
// node with children, else its name and key.
QString nodeStatusText(const MainWindowModel& window, int node);

} // namespace quillet
