#include "reader/mainwindow/FeedOpening.h"

#include "platform/runtime/EventLoop.h"
#include "reader/app/AppState.h"
#include "reader/app/ProgramPaths.h"
#include "reader/catalogue/FeedKinds.h"
#include "reader/fetch/Downloader.h"
#include "reader/fetch/FeedParser.h"
#include "reader/mainwindow/MainWindowModel.h"
#include "reader/present/NewsPage.h"

namespace quillet {

void navigateSelectedTabs(MainWindowModel& window, MainWindowView& view, const QString& address) {
    for (int position = 1; position <= window.Tab1.count(); ++position) {
        if (window.Tab1.selected() == position)
            view.navigateBrowser(window.Tab1.tag(position).toInt(), address);
    }
}

std::int32_t ShowNewsPage(AppState& app, MainWindowModel& window, MainWindowView& view) {
    const QString& skin = app.settings.SkinFolder;
    const QString page = app.file(paths::Gateway);
    if (CreateNewsPage(skin + QStringLiteral("header.html"), skin + QStringLiteral("body.html"),
                       skin + QStringLiteral("footer.html"), page, window.lvw1,
                       app.CurrentFeedName) != 0)
        window.stb1.setPanelText(1, QStringLiteral("HTMLファイルを作成できませんでした。"));
    navigateSelectedTabs(window, view, page);
    return 0;
}

void OpenFeed(AppState& app, MainWindowModel& window, MainWindowView& view) {
    const int selected = window.tvw1.selectedIndex();
    if (window.tvw1.count() == 0 || selected == 0)
        return;
    platform::yieldOnce();
    const QString key = window.tvw1.key(selected);
    const QString text = window.tvw1.text(selected);
    const QString imageKey = window.tvw1.image(selected);
    if (isFolderImage(imageKey))
        return;
    if (imageKey == image::WebSite) {
        navigateSelectedTabs(window, view, key);
        return;
    }
    const QString kind = (imageKey == image::Rss || imageKey == image::Rdf) ? imageKey : QString();
    if (FetchFeed(app, window.stb1, kind, key, text) != 0)
        return;
    window.stb1.setPanelText(1, QStringLiteral("ファイルを解析しています....."));
    if (ParseSelectedFeed(app, window) != 0) {
        window.stb1.setPanelText(1, QStringLiteral("ファイルの解析に失敗しました。"));
        return;
    }
    window.stb1.setPanelText(1, QStringLiteral("HTMLファイルを作成します。"));
    ShowNewsPage(app, window, view);
}

} // namespace quillet
