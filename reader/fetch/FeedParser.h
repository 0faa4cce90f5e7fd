#pragma once
// The two feed parsers: kind "XML" (items two levels below the root, as in RSS
// 0.91, 0.92 and 2.0) and kind "XML2" (RSS 1.0, items right below the root).
// Both fill the article list, mark unread titles and write the feed's news log.
#include "reader/app/Settings.h"
#include "reader/fetch/FeedParseReport.h"
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
    QString address{};                       // the feed's own, for Atom's relative links
    QByteArray transportCharset{};           // the charset its server named, if any
    FeedParseReport* report = nullptr;       // filled when not null
};

// 0 on success, -1 on failure. A document that cannot be loaded is a failure and
// leaves the list as it was.
std::int32_t ParseXmlFeed(const QString& path, platform::controls::ListViewModel& list,
                          const FeedParseContext& context);
std::int32_t ParseXml2Feed(const QString& path, platform::controls::ListViewModel& list,
                           const FeedParseContext& context);

// Atom 1.0 and 0.3 feeds, their entries listed as articles.
std::int32_t ParseAtomFeed(const QString& path, platform::controls::ListViewModel& list,
                           const FeedParseContext& context);

// The parser of the kind ("XML" or "XML2"); when it lists nothing and the
// document is plainly of another shape (RSS 1.0 under "XML", RSS 2.0 or Atom
// under "XML2", Atom under either), the parser that fits the shape reads it.
std::int32_t ParseFeedOfKind(const QString& kind, const QString& path,
                             platform::controls::ListViewModel& list,
                             const FeedParseContext& context);

// Parses CurrentFeedFile by the kind of the feed tree's selected node; other kinds
// parse nothing and succeed.
std::int32_t ParseSelectedFeed(AppState& app, MainWindowModel& window);

} // namespace quillet
