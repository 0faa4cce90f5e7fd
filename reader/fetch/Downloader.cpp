#include "reader/fetch/Downloader.h"

#include "platform/controls/SimpleModels.h"
#include "platform/net/Download.h"
#include "platform/net/ResponsiveDownload.h"
#include "platform/runtime/Conversions.h"
#include "platform/runtime/EventLoop.h"
#include "platform/text/LineFile.h"
#include "reader/app/AppState.h"
#include "reader/app/ProgramPaths.h"
#include "reader/catalogue/FeedKinds.h"
#include "reader/fetch/FeedValidators.h"

#include <QFileInfo>
#include <QTime>

namespace quillet {

namespace {

QString stamped(const QString& text) {
    return text + QLatin1Char('[') + platform::timeOfDayText(QTime::currentTime()) +
           QLatin1Char(']');
}

// Why the download failed, in brackets after the status text, so the user
// can tell a wrong address from a server that is down; empty when the reason
// is nothing the user could act on.
QString reasonFor(const platform::net::DownloadResult& result) {
    using platform::net::DownloadFailure;
    switch (result.failure) {
    case DownloadFailure::HttpStatus:
        if (result.retryAfterSeconds >= 0)
            return QStringLiteral("（HTTP %1、%2以降に再試行してください）")
                .arg(result.httpStatus)
                .arg(platform::timeOfDayText(
                    QTime::currentTime().addSecs(static_cast<int>(result.retryAfterSeconds))));
        return QStringLiteral("（HTTP %1）").arg(result.httpStatus);
    case DownloadFailure::TimedOut:
        return QStringLiteral("（時間切れ）");
    case DownloadFailure::Refused:
        return QStringLiteral("（接続が拒否されました）");
    case DownloadFailure::HostNotFound:
        return QStringLiteral("（サーバーが見つかりません）");
    case DownloadFailure::FileNotFound:
        return QStringLiteral("（ファイルが見つかりません）");
    case DownloadFailure::Cancelled:
        return QStringLiteral("（中止しました）");
    default:
        return QString();
    }
}

// nameIsStorable: a name that is no file name of its own would write outside
// the log folder or nowhere, so it fails the way an unwritable file fails.
std::int32_t downloadInto(AppState& app, platform::controls::StatusBarModel& status,
                          const QString& url, const QString& fileName, bool nameIsStorable) {
    // The program never creates folders; a missing log folder is no failed download.
    if (!platform::text::folderExists(app.file(paths::LogFolder))) {
        status.setPanelText(1, stamped(QStringLiteral("エラーが生じたため終了しました。")));
        return -1;
    }
    status.setPanelText(1, stamped(url + QStringLiteral("をダウンロードしています")));
    platform::yieldOnce();
    app.CurrentFeedFile = app.file(paths::LogFolder) + fileName;

    platform::net::DownloadResult result;
    if (nameIsStorable) {
        // The window keeps repainting while the feed comes; Stop or Esc cancels
        // it and the copy held stays.
        // With the document there, what was read is what the file beside it says.
        const bool documentHeld = platform::text::fileExists(app.CurrentFeedFile);
        const FeedValidators held = readFeedValidators(app.CurrentFeedFile);
        platform::net::DownloadRequest request;
        request.ifNoneMatch = held.etag;
        request.ifModifiedSince = held.lastModified;
        app.downloadCancel = false;
        app.downloading = true;
        result = platform::net::downloadKeepingEventsRunning(
            url, app.CurrentFeedFile, app.downloadLimits, request, app.downloadCancel);
        app.downloading = false;
        const FeedValidators answered{result.etag, result.lastModified, result.charset};
        // Rewritten only when the server said something new of the document.
        if (result.ok && !result.notModified && !(documentHeld && answered == held))
            writeFeedValidators(app.CurrentFeedFile, answered);
    }
    platform::yieldOnce();
    if (!result.ok) {
        status.setPanelText(
            1, stamped(QStringLiteral("ダウンロードできませんでした。") + reasonFor(result)));
        return -1;
    }
    if (result.notModified && QFileInfo(app.CurrentFeedFile).size() > 0) {
        status.setPanelText(1, stamped(url + QStringLiteral("は前回から更新されていません")));
        return 0;
    }
    status.setPanelText(1, stamped(url + QStringLiteral("をダウンロード完了しました")));
    const QFileInfo file(app.CurrentFeedFile);
    if (!file.exists() || file.size() == 0) {
        status.setPanelText(1, stamped(QStringLiteral("エラーが生じたため終了しました。") +
                                       QStringLiteral("（空の応答）")));
        return -1;
    }
    return 0;
}

} // namespace

std::int32_t FetchFeed(AppState& app, platform::controls::StatusBarModel& status,
                       const QString& kind, const QString& url, const QString& displayName) {
    if (kind != image::Rss && kind != image::Rdf)
        return 0;
    const QString fileName = logFileStem(displayName) + QStringLiteral(".xml");
    const std::int32_t result =
        downloadInto(app, status, url, fileName, isStorableFileName(fileName));
    app.CurrentFeedName = displayName;
    return result;
}

std::int32_t DownloadFeed(AppState& app, platform::controls::StatusBarModel& status,
                          const QString& url, const QString& fileName) {
    return downloadInto(app, status, url, fileName, isStorableFileName(fileName));
}

} // namespace quillet
