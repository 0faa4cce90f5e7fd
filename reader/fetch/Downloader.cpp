#include "reader/fetch/Downloader.h"

#include "platform/controls/SimpleModels.h"
#include "platform/net/Download.h"
#include "platform/runtime/Conversions.h"
#include "platform/runtime/EventLoop.h"
#include "platform/text/LineFile.h"
#include "reader/app/AppState.h"
#include "reader/app/ProgramPaths.h"
#include "reader/catalogue/FeedKinds.h"

#include <QFileInfo>
#include <QTime>

namespace quillet {

namespace {

QString stamped(const QString& text) {
    return text + QLatin1Char('[') + platform::timeOfDayText(QTime::currentTime()) +
           QLatin1Char(']');
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

    const bool downloaded =
        nameIsStorable &&
        platform::net::URLDownloadToFile(url, app.CurrentFeedFile, app.downloadLimits) == 0;
    platform::yieldOnce();
    if (!downloaded) {
        status.setPanelText(1, stamped(QStringLiteral("ダウンロードできませんでした。")));
        return -1;
    }
    status.setPanelText(1, stamped(url + QStringLiteral("をダウンロード完了しました")));
    const QFileInfo file(app.CurrentFeedFile);
    if (!file.exists() || file.size() == 0) {
        status.setPanelText(1, stamped(QStringLiteral("エラーが生じたため終了しました。")));
        return -1;
    }
    return 0;
}

} // namespace

std::int32_t FetchFeed(AppState& app, platform::controls::StatusBarModel& status,
                       const QString& kind, const QString& url, const QString& displayName) {
    if (kind != image::Rss && kind != image::Rdf)
        return 0;
    const QString fileName = displayName + QStringLiteral(".xml");
    const std::int32_t result =
        downloadInto(app, status, url, fileName,
                     isStorableFileName(displayName) && isStorableFileName(fileName));
    app.CurrentFeedName = displayName;
    return result;
}

std::int32_t DownloadFeed(AppState& app, platform::controls::StatusBarModel& status,
                          const QString& url, const QString& fileName) {
    return downloadInto(app, status, url, fileName, isStorableFileName(fileName));
}

} // namespace quillet
