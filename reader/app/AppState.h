#pragma once
// The process-wide state of the reader: made ready at start-up, used by every
// window. Owned by the application object; nothing else is global.
#include "platform/net/Download.h"
#include "platform/runtime/Conversions.h"
#include "reader/app/Settings.h"
#include "reader/fetch/FeedParseReport.h"
#include "reader/mainwindow/NewsHistory.h"
#include <QString>
#include <atomic>
#include <memory>

namespace platform {
class MessagePresenter;
}

namespace quillet {

struct AppState {
    explicit AppState(QString folder, std::unique_ptr<platform::MessagePresenter> presenter);
    ~AppState();

    QString programFolder; // always ends with the separator
    std::unique_ptr<platform::MessagePresenter> messages;

    Settings settings;
    NewsHistory newsHistory;
    QString CurrentFeedFile;
    QString CurrentFeedName;
    FeedParseReport lastParseReport; // of the feed opened last
    // A feed download is running (the window keeps handling events meanwhile);
    // the Stop command sets the cancel flag.
    bool downloading = false;
    std::atomic<bool> downloadCancel{false};
    platform::net::DownloadLimits downloadLimits;

    platform::Int16 TabCounter = 1;
    platform::Int16 LastBrowserIndex = 1;
    platform::Int16 CurrentTabIndex = 1;

    std::int32_t patrolPeriod = 0;
    std::int32_t patrolElapsed = 0;
    bool patrolOn = false;

    // False until the catalogue has been read completely. While false, the exit
    // must not replace the user's feed list with the partial tree in memory.
    bool catalogueComplete = false;
    // The same for the read titles: while false, History_News.lst is kept and
    // this run's titles go to the recovery file instead.
    bool newsHistoryComplete = false;
    bool newsHistoryWarned = false;

    QString file(const char* relative) const;
};

} // namespace quillet
