#include "reader/catalogue/ImportExport.h"
#include "platform/controls/TreeViewModel.h"
#include "platform/runtime/MessageBox.h"
#include "platform/text/Codepage.h"
#include "reader/app/AppState.h"
#include "reader/app/ProgramPaths.h"
#include "reader/mainwindow/MainWindowModel.h"
#include "support/RecordingMessages.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

using namespace quillet;
using testing_support::cp932Lines;
using testing_support::ProgramFolder;
using testing_support::readBytes;
using testing_support::writeBytes;

namespace {

class Catalogue : public ::testing::Test {
protected:
    Catalogue()
        : app(folder.path(), std::make_unique<testing_support::RecordingMessages>(
                                 shown, platform::MsgResult::Yes)) {
        window.tvw1.addNode(QString(), "root_1", "ニュース", "CLOSE", "OPEN");
        window.tvw1.addNode("root_1", "http://a/rss", "A \"quoted\"", "XML");
        window.tvw1.addNode("root_1", "http://b/", "B", "IE");
        window.tvw1.addNode("root_1", "http://c/rdf", "C", "XML2");
        window.tvw1.addNode("root_1", "http://d/doc", "D", "DOC");
    }
    std::vector<testing_support::ShownMessage> shown;
    ProgramFolder folder;
    AppState app;
    MainWindowModel window;
};

} // namespace

TEST_F(Catalogue, CsvListsFeedsNumberedFromTwo) {
    const QString path = folder.file("list.csv");
    ASSERT_EQ(ExportFeedListCsv(window.tvw1, path), 0);
    EXPECT_EQ(readBytes(path),
              cp932Lines({"2,\"A \"quoted\"\",\"http://a/rss\"", "3,\"C\",\"http://c/rdf\"",
                          "4,\"D\",\"http://d/doc\""}));
    EXPECT_EQ(ExportFeedListCsv(window.tvw1, folder.file("no/such/list.csv")), -1);

    EXPECT_EQ(csvPathFor("/x/list"), QStringLiteral("/x/list.csv"));
    EXPECT_EQ(csvPathFor("/x/list.csv"), QStringLiteral("/x/list.csv"));
    EXPECT_EQ(csvPathFor("/x/LIST.CSV"), QStringLiteral("/x/LIST.CSV"));

    ExportCsvCommand(window, folder.file("out"));
    EXPECT_TRUE(QFile::exists(folder.file("out.csv")));
    EXPECT_TRUE(window.stb1.panelText(1).startsWith(
        QStringLiteral("お気に入りをCSVファイルに出力しました。[")));
    ExportCsvCommand(window, folder.file("missing/out"));
    EXPECT_TRUE(window.stb1.panelText(1).startsWith(
        QStringLiteral("お気に入りをCSVファイルに正常出力できませんでした。[")));
}

TEST_F(Catalogue, FeedListExportsGetTheirExtensionAndTheImportListsThem) {
    EXPECT_EQ(feedListPathFor("/x/list.BRD"), QStringLiteral("/x/list.BRD"));
    ExportFeedListCommand(window, folder.file("mine"));
    EXPECT_TRUE(
        window.stb1.panelText(1).startsWith(QStringLiteral("お気に入りをエクスポートしました。[")));
    window.tvw1.clear();
    ASSERT_TRUE(ImportFeedList(app, window, folder.file("mine.brd")));
    EXPECT_EQ(window.tvw1.count(), 5);
    EXPECT_TRUE(
        window.stb1.panelText(1).startsWith(QStringLiteral("お気に入りをインポートしました。[")));

    ExportFeedListCommand(window, folder.file("missing/mine"));
    EXPECT_TRUE(window.stb1.panelText(1).startsWith(
        QStringLiteral("お気に入りを正常にエクスポートできませんでした。[")));
    EXPECT_FALSE(ImportFeedList(app, window, folder.file("missing/mine.brd")));
    EXPECT_TRUE(window.stb1.panelText(1).startsWith(
        QStringLiteral("お気に入りをインポートできませんでした。[")));
}

TEST_F(Catalogue, ImportReplacesTheCatalogueOnlyWhenTheWholeFileReads) {
    const QString good = folder.file("good.brd");
    writeBytes(good, cp932Lines({R"("別","ROOT_FOLDER","root_9","")",
                                 R"("X","http://x/","CHILD_NODE","1")"}));
    ASSERT_TRUE(ImportFeedList(app, window, good));
    EXPECT_EQ(window.tvw1.count(), 2);
    EXPECT_EQ(window.tvw1.text(2), QStringLiteral("X"));
    EXPECT_EQ(window.tvw1.parentOf(2), 1);
    EXPECT_TRUE(app.catalogueComplete);

    const QString broken = folder.file("broken.brd");
    writeBytes(broken, cp932Lines({R"("新","ROOT_FOLDER","root_1","")",
                                   R"("孤","http://y/","CHILD_NODE","x")"}));
    EXPECT_FALSE(ImportFeedList(app, window, broken));
    EXPECT_EQ(window.tvw1.count(), 2);
    EXPECT_EQ(window.tvw1.text(1), QStringLiteral("別"));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(shown[0].text.endsWith(broken));
}

TEST_F(Catalogue, DefaultNewsAsksThenReadsEveryShippedList) {
    writeBytes(folder.file("data/brd/a.brd"), cp932Lines({R"("甲","ROOT_FOLDER","root_a","")"}));
    writeBytes(folder.file("data/brd/b.brd"), cp932Lines({R"("孤","http://y/","CHILD_NODE","1")"}));
    window.File1.setPath(folder.file("data/brd/"));
    app.catalogueComplete = false; // the user's own list did not load
    ImportDefaultNews(app, window);
    EXPECT_TRUE(app.catalogueComplete);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].text, QStringLiteral("現在のニュースを削除して標準設定に戻しますか？"));
    EXPECT_EQ(shown[0].title, QStringLiteral("■ニュースのインポート"));
    EXPECT_TRUE(shown[1].text.endsWith(folder.file("data/brd/b.brd")));
    EXPECT_EQ(window.tvw1.count(), 1);
    EXPECT_EQ(window.tvw1.text(1), QStringLiteral("甲"));
}

TEST_F(Catalogue, DefaultNewsLeavesTheTreeOnNoAndEmptiesItWithNoShippedLists) {
    window.File1.setPath(folder.file("data/brd/"));
    app.messages =
        std::make_unique<testing_support::RecordingMessages>(shown, platform::MsgResult::No);
    ImportDefaultNews(app, window);
    EXPECT_EQ(window.tvw1.count(), 5);
    EXPECT_FALSE(app.catalogueComplete);

    app.messages =
        std::make_unique<testing_support::RecordingMessages>(shown, platform::MsgResult::Yes);
    ImportDefaultNews(app, window); // data/brd holds no list
    EXPECT_EQ(window.tvw1.count(), 0);
    EXPECT_EQ(shown.size(), 2u); // the two questions, no error
}

TEST(CsvExport, TheRunningNumberStopsAt32767AndAFailedExportWritesNothing) {
    testing_support::ProgramFolder folder;
    platform::controls::TreeViewModel tree;
    tree.addNode(QString(), "root_1", "F", "CLOSE", "OPEN");
    for (int feed = 1; feed <= 32766; ++feed)
        tree.addNode("root_1", QStringLiteral("http://f/%1").arg(feed), "T", "XML");
    const QString path = folder.file("all.csv");
    ASSERT_EQ(ExportFeedListCsv(tree, path), 0);
    EXPECT_TRUE(readBytes(path).endsWith("32767,\"T\",\"http://f/32766\"\r\n"));

    tree.addNode("root_1", "http://f/one-more", "T", "XML");
    const QString over = folder.file("over.csv");
    EXPECT_EQ(ExportFeedListCsv(tree, over), -1);
    EXPECT_FALSE(QFile::exists(over));
}
