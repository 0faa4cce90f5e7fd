#include "reader/mainwindow/FeedOpening.h"
#include "platform/runtime/MessageBox.h"
#include "reader/app/AppState.h"
#include "reader/app/Settings.h"
#include "reader/mainwindow/MainWindowModel.h"
#include "support/RecordingView.h"
#include "support/TempFiles.h"
#include "support/TestHttpServer.h"

#include <QUrl>
#include <gtest/gtest.h>

using namespace quillet;
using testing_support::cp932Lines;
using testing_support::ProgramFolder;
using testing_support::RecordingView;
using testing_support::writeBytes;

namespace {

class Opening : public ::testing::Test {
protected:
    Opening() : app(folder.path(), nullptr) {
        window.Tab1.setTag(1, QStringLiteral("1"));
        app.settings.SkinFolder = folder.file("data/skin/default/");
        writeBytes(folder.file("data/skin/default/header.html"), "<html>");
        writeBytes(folder.file("data/skin/default/body.html"), "<p>&&TITLE&&</p>");
        writeBytes(folder.file("data/skin/default/footer.html"), "</html>");
        window.tvw1.addNode(QString(), QStringLiteral("root_1"), QStringLiteral("F"),
                            QStringLiteral("CLOSE"), QStringLiteral("OPEN"));
    }
    void select(const QString& key, const QString& text, const QString& kind) {
        window.tvw1.addNode(QStringLiteral("root_1"), key, text, kind);
        window.tvw1.setSelectedIndex(window.tvw1.indexOfKey(key));
    }

    ProgramFolder folder;
    QTemporaryDir sources;
    AppState app;
    MainWindowModel window;
    RecordingView view;
};

} // namespace

TEST_F(Opening, AFeedIsFetchedParsedAndShownInTheSelectedTab) {
    testing_support::TestHttpServer server;
    server.serve("/feed.xml", {200,
                               "<rss><channel><item><title>記事</title><link>http://a/</link>"
                               "</item></channel></rss>",
                               {},
                               testing_support::Reply::Mode::Normal});
    select(server.url("/feed.xml"), QStringLiteral("フィード"), QStringLiteral("XML"));
    OpenFeed(app, window, view);
    EXPECT_EQ(window.lvw1.count(), 1);
    EXPECT_EQ(window.stb1.panelText(1), QStringLiteral("HTMLファイルを作成します。"));
    EXPECT_EQ(view.navigations,
              QStringList{QStringLiteral("1 ") + folder.file("data/temp/gateway.html")});
    EXPECT_TRUE(QFile::exists(folder.file("data/log/フィード.log")));
}

TEST_F(Opening, ABrokenFeedIsReportedAndChangesNothing) {
    const QString source = sources.path() + QStringLiteral("/feed.xml");
    writeBytes(source, "<rdf:RDF");
    select(QUrl::fromLocalFile(source).toString(), QStringLiteral("壊れた"),
           QStringLiteral("XML2"));
    window.lvw1.addRow({QStringLiteral("1"), QStringLiteral("前の記事")}, false);
    OpenFeed(app, window, view);
    EXPECT_EQ(window.stb1.panelText(1), QStringLiteral("ファイルの解析に失敗しました。"));
    EXPECT_EQ(window.lvw1.count(), 1);
    EXPECT_TRUE(view.navigations.isEmpty());
}

TEST_F(Opening, SitesAreShownDirectlyAndFoldersDoNothing) {
    select(QStringLiteral("https://site.example/"), QStringLiteral("サイト"), QStringLiteral("IE"));
    OpenFeed(app, window, view);
    EXPECT_EQ(view.navigations, QStringList{QStringLiteral("1 https://site.example/")});
    EXPECT_TRUE(window.stb1.panelText(1).isEmpty());

    view.navigations.clear();
    window.tvw1.setSelectedIndex(1);
    OpenFeed(app, window, view);
    EXPECT_TRUE(view.navigations.isEmpty());
}

TEST_F(Opening, DocumentsRebuildThePageAndFailedDownloadsKeepIt) {
    window.lvw1.addRow({QStringLiteral("1"), QStringLiteral("前の記事")}, false);
    select(QStringLiteral("doc://x"), QStringLiteral("文書"), QStringLiteral("DOC"));
    OpenFeed(app, window, view);
    EXPECT_EQ(window.lvw1.count(), 1);
    EXPECT_EQ(view.navigations,
              QStringList{QStringLiteral("1 ") + folder.file("data/temp/gateway.html")});
    EXPECT_TRUE(QFile::exists(folder.file("data/temp/gateway.html")));

    view.navigations.clear();
    testing_support::TestHttpServer server;
    select(server.url("/missing"), QStringLiteral("消えた"), QStringLiteral("XML"));
    OpenFeed(app, window, view);
    EXPECT_TRUE(
        window.stb1.panelText(1).startsWith(QStringLiteral("ダウンロードできませんでした。")));
    EXPECT_EQ(window.lvw1.count(), 1);
    EXPECT_TRUE(view.navigations.isEmpty());
}
