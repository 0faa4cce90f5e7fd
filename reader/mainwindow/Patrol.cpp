#include "reader/mainwindow/Patrol.h"

#include "platform/controls/ListViewModel.h"
#include "platform/net/ResponsiveDownload.h"
#include "platform/runtime/Conversions.h"
#include "platform/runtime/EventLoop.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/text/LineFile.h"
#include "reader/app/AppState.h"
#include "reader/app/ProgramPaths.h"
#include "reader/catalogue/FeedKinds.h"
#include "reader/catalogue/PatrolList.h"
#include "reader/fetch/ArticleRows.h"
#include "reader/fetch/FeedParser.h"
#include "reader/mainwindow/MainWindowModel.h"

#include <QFileInfo>
#include <memory>

namespace quillet {

namespace {

// The patrol list may store every feed with the kind number 1; the catalogue
// knows the real kind of a feed it still holds.
QString kindOf(const MainWindowModel& window, const PatrolFeed& feed) {
    const int node = window.tvw1.indexOfKey(feed.url);
    if (node != 0)
        return window.tvw1.image(node);
    return feed.kind.isEmpty() ? image::Rss : feed.kind;
}

// Downloads the feed into its log file while the window's events keep
// running: a slow server holds up the patrol, not the user. The current feed
// (the file and name of the page the user reads) is not touched.
bool downloadKeepingTheWindowUsable(AppState& app, const PatrolFeed& feed, const QString& target) {
    // Named as the feed's own download is, so that any display name can be fetched.
    if (!isStorableFileName(QFileInfo(target).fileName()) ||
        !platform::text::folderExists(app.file(paths::LogFolder)))
        return false;
    std::atomic<bool> cancel{false};
    const platform::net::DownloadResult result = platform::net::downloadKeepingEventsRunning(
        feed.url, target, app.downloadLimits, {}, cancel, false);
    return result.ok && QFileInfo(target).size() > 0;
}

} // namespace

PatrolResult RunPatrol(AppState& app, MainWindowModel& window,
                       const std::function<bool()>& stopRequested) {
    PatrolResult result;
    QList<PatrolFeed> feeds;
    try {
        feeds = ReadPatrolList(app.file(paths::PatrolList));
    } catch (const platform::RuntimeError&) {
        result.listUnreadable = true;
        return result;
    }
    int position = 0;
    for (const PatrolFeed& feed : feeds) {
        ++position;
        if (stopRequested && stopRequested())
            break;
        const QString kind = kindOf(window, feed);
        if (kind != image::Rss && kind != image::Rdf)
            continue; // pages and documents have no articles to count
        window.stb1.setPanelText(1, QStringLiteral("ニュースを巡回しています (%1/%2)：%3")
                                        .arg(position)
                                        .arg(feeds.size())
                                        .arg(feed.name));
        platform::yieldOnce();
        ++result.feeds;
        const QString file =
            app.file(paths::LogFolder) + logFileStem(feed.name) + QStringLiteral(".xml");
        if (!downloadKeepingTheWindowUsable(app, feed, file)) {
            result.failed << feed.name;
            continue;
        }
        platform::controls::ListViewModel articles;
        articles.setColumnHeaders(articleColumnHeaders());
        FeedParseContext context{feed.name, &app.newsHistory, app.settings.xml,
                                 app.file(paths::LogFolder)};
        context.filter = &app.settings.filter;
        const std::int32_t parsed = kind == image::Rdf ? ParseXml2Feed(file, articles, context)
                                                       : ParseXmlFeed(file, articles, context);
        if (parsed != 0) {
            result.failed << feed.name;
            continue;
        }
        const int unread = unreadRowCount(articles);
        // The tree shows what the patrol found beside the feed's name.
        if (const int node = window.tvw1.indexOfKey(feed.url); node != 0)
            window.tvw1.setUnreadCount(node, unread);
        result.newArticles += unread;
        if (unread > 0)
            ++result.feedsWithNew;
    }
    return result;
}

QString patrolReportText(const PatrolResult& result, const QTime& when) {
    QString text;
    if (result.listUnreadable) {
        text = QStringLiteral("ニュース巡回：巡回するニュースのリストを読み込めませんでした。");
    } else {
        text =
            QStringLiteral("ニュース巡回：%1件のニュースを確認し、%2件のニュースに未読の記事が%3件"
                           "ありました。")
                .arg(result.feeds)
                .arg(result.feedsWithNew)
                .arg(result.newArticles);
        if (!result.failed.isEmpty())
            text += QStringLiteral("取得できなかったニュース%1件：%2。")
                        .arg(result.failed.size())
                        .arg(result.failed.join(QStringLiteral("、")));
    }
    return text + QLatin1Char('[') + platform::timeOfDayText(when) + QLatin1Char(']');
}

} // namespace quillet
