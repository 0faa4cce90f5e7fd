#pragma once
// The news patrol run: every feed of the patrol list is downloaded and parsed
// into its own log file and news log, beside whatever the user is reading, and
// the new (unread) articles found are reported in the status bar.
#include <QString>
#include <QStringList>
#include <QTime>
#include <functional>

namespace quillet {

struct AppState;
struct MainWindowModel;

struct PatrolResult {
    int feeds = 0;        // feeds tried
    int feedsWithNew = 0; // feeds that had unread articles
    int newArticles = 0;  // unread articles in all of them
    QStringList failed;   // display names of the feeds that could not be fetched or read
    bool listUnreadable = false;
};

// Runs the patrol over "data/profile/NewsChecklist.brd". The article list, the
// current feed and the page stay as they were; the window's events keep running
// while a feed downloads. stopRequested, when given, ends the run before the
// next feed.
PatrolResult RunPatrol(AppState& app, MainWindowModel& window,
                       const std::function<bool()>& stopRequested = {});

// The status bar text of a finished run, stamped with the time of day.
QString patrolReportText(const PatrolResult& result, const QTime& when);

} // namespace quillet
