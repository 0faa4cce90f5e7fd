#pragma once
// Fetching a feed's document into the log folder, with progress and results in
// panel 1 of a status bar.
#include <QString>
#include <cstdint>

namespace platform::controls {
class StatusBarModel;
}

namespace quillet {

struct AppState;

// For the kinds "XML" and "XML2": downloads the URL into the log folder as the
// display name plus ".xml" and makes the name the current feed name. Any other
// kind downloads nothing and succeeds. 0 for success, -1 for failure.
std::int32_t FetchFeed(AppState& app, platform::controls::StatusBarModel& status,
                       const QString& kind, const QString& url, const QString& displayName);

// Downloads the URL to the log folder's fileName, which becomes CurrentFeedFile.
// A zero-byte answer is a failure; so is a file name that cannot be a file of the
// log folder's own. 0 for success, -1 for failure.
std::int32_t DownloadFeed(AppState& app, platform::controls::StatusBarModel& status,
                          const QString& url, const QString& fileName);

} // namespace quillet
