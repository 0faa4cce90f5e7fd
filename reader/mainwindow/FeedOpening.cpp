#include "reader/mainwindow/FeedOpening.h"

#include "platform/runtime/EventLoop.h"
#include "reader/app/AppState.h"
#include "reader/app/ProgramPaths.h"
#include "reader/catalogue/FeedKinds.h"
#include "reader/fetch/ArticleRows.h"
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

namespace {

// The page from the list, shown in the selected tab; false when it could not
// be made (the tab then shows the page made before, as it always did).
bool showPage(AppState& app, MainWindowModel& window, MainWindowView& view) {
    const QString& skin = app.settings.SkinFolder;
    const QString page = app.file(paths::Gateway);
    const bool made =
        CreateNewsPage(skin + QStringLiteral("header.html"), skin + QStringLiteral("body.html"),
                       skin + QStringLiteral("footer.html"), page, window.lvw1,
                       app.CurrentFeedName) == 0;
    if (!made)
        window.stb1.setPanelText(1, QStringLiteral("HTMLファイルを作成できませんでした。"));
    navigateSelectedTabs(window, view, page);
    return made;
}

// The words that follow the page when there is more to say: the feed held no
// article, or its bytes were read in another encoding than the one named.
void reportParse(const AppState& app, MainWindowModel& window) {
    const FeedParseReport& report = app.lastParseReport;
    if (window.lvw1.count() == 0)
        window.noteAfterPage = QStringLiteral("記事が見つかりませんでした。");
    else if (!report.usedEncoding.isEmpty())
        window.noteAfterPage =
            QStringLiteral("文字コードの指定（%1）が内容と合わないため、%2として読み込みました。")
                .arg(report.namedEncoding, report.usedEncoding);
    if (!window.noteAfterPage.isEmpty())
        window.stb1.setPanelText(1, window.noteAfterPage);
}

} // namespace

std::int32_t ShowNewsPage(AppState& app, MainWindowModel& window, MainWindowView& view) {
    showPage(app, window, view);
    return 0;
}

void ShowListedFeedUnreadCount(const AppState& app, MainWindowModel& window) {
    auto& tree = window.tvw1;
    int node = tree.selectedIndex();
    if (node == 0 || tree.text(node) != app.CurrentFeedName) {
        node = 0;
        for (int candidate : tree.treeOrder()) {
            if (!isFolderImage(tree.image(candidate)) &&
                tree.text(candidate) == app.CurrentFeedName) {
                node = candidate;
                break;
            }
        }
    }
    if (node != 0 && !isFolderImage(tree.image(node)))
        tree.setUnreadCount(node, unreadRowCount(window.lvw1));
}

void OpenFeed(AppState& app, MainWindowModel& window, MainWindowView& view) {
    // One download at a time: a second would interleave with the running one.
    if (app.downloading) {
        window.stb1.setPanelText(1,
                                 QStringLiteral("ダウンロード中です。終わるまでお待ちください。"));
        return;
    }
    window.noteAfterPage.clear();
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
    const bool made = showPage(app, window, view);
    if (kind.isEmpty())
        return; // a document kind lists no articles of its own
    ShowListedFeedUnreadCount(app, window);
    if (made)
        reportParse(app, window);
}

} // namespace quillet
