#pragma once
// The two feed parsers: kind "XML" (items two levels below the root, as in RSS
// 0.91, 0.92 and 2.0) and kind "XML2" (RSS 1.0, items right below the root).
// Both fill the article list, mark unread titles and write the feed's news log.
#include "reader/app/Settings.h"
#include <QString>
#include <cstdint>

namespace platform::controls {
class ListViewModel;
}

namespace quillet {

class NewsHistory;
struct AppState;
struct MainWindowModel;

struct FeedParseContext {
    QString feedName;                        // column 2 and the news log's name
    const NewsHistory* readTitles = nullptr; // no read titles when null
    XmlNameOverrides names;                  // extra element names for kind "XML2"
    QString logFolder;                       // with its separator; empty: no news log
    const ArticleFilter* filter = nullptr;   // articles it hides are not listed
};

// 0 on success, -1 on failure. A document that cannot be loaded is a failure and
// leaves the list as it was.
std::int32_t ParseXmlFeed(const QString& path, platform::controls::ListViewModel& list,
                          const FeedParseContext& context);
std::int32_t ParseXml2Feed(const QString& path, platform::controls::ListViewModel& list,
                           const FeedParseContext& context);

// Parses CurrentFeedFile by the kind of the feed tree's selected node; other kinds
// parse nothing and succeed.
std::int32_t ParseSelectedFeed(AppState& app, MainWindowModel& window);

} // namespace quillet
