#include "reader/app/Lifecycle.h"
#include "platform/profile/PrivateProfile.h"
#include "platform/text/Codepage.h"
#include "reader/app/AppState.h"
#include "reader/catalogue/FeedList.h"
#include "reader/mainwindow/MainWindowModel.h"
#include "support/RecordingMessages.h"
#include "support/RecordingView.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

using namespace quillet;
using testing_support::cp932Lines;
using testing_support::ProgramFolder;
using testing_support::readBytes;
using testing_support::RecordingView;
using testing_support::ShownMessage;
using testing_support::writeBytes;

namespace {

const QStringList NewsList = {R"("ニュース","ROOT_FOLDER","root_usr1","")",
                              R"("速報","http://news.example/rss","CHILD_NODE","1")"};
const QStringList OtherList = {R"("技術","ROOT_FOLDER","root_tech","")",
                               R"("開発","http://dev.example/rdf","CHILD_NODE","2")"};

// One run of the program over a program folder: the load handler on start(),
// the closing on close().
class ProgramRun {
public:
    explicit ProgramRun(const ProgramFolder& folder)
        : app(folder.path(), std::make_unique<testing_support::RecordingMessages>(shown)) {}
    void start() { RunMainWindowLoad(app, window, view); }
    void close() { QueryUnload(app, window); }
    QStringList treeTexts() const {
        QStringList texts;
        for (int index : window.tvw1.treeOrder())
            texts << window.tvw1.text(index);
        return texts;
    }

    std::vector<ShownMessage> shown;
    AppState app;
    MainWindowModel window;
    RecordingView view;
};

} // namespace

TEST(Startup, FirstRunWritesDefaultsAndReadsTheInitialListsInOrder) {
    ProgramFolder folder;
    writeBytes(folder.file("data/brd/b_second.brd"), cp932Lines(OtherList));
    writeBytes(folder.file("data/brd/a_first.brd"), cp932Lines(NewsList));
    writeBytes(folder.file("data/brd/notes.txt"), "ignored");

    ProgramRun run(folder);
    run.start();
    ASSERT_EQ(run.shown.size(), 1u);
    EXPECT_EQ(run.shown[0].text, QStringLiteral("設定ファイルが存在しないため新規作成します。"));
    EXPECT_EQ(run.shown[0].title, QStringLiteral("■設定ファイル新規作成 -Quillet-"));
    EXPECT_EQ(run.shown[0].icon, platform::MsgIcon::Information);
    EXPECT_TRUE(QFile::exists(folder.file("data/rss.ini")));

    EXPECT_EQ(run.treeTexts(), (QStringList{QStringLiteral("ニュース"), QStringLiteral("速報"),
                                            QStringLiteral("技術"), QStringLiteral("開発")}));
    EXPECT_EQ(run.view.navigations, QStringList{QStringLiteral("1 ") + folder.file("index.html")});
    EXPECT_EQ(run.view.front, 1);
    EXPECT_EQ(run.view.arranged, 1);
    EXPECT_EQ(run.window.comURL.text(), run.window.comURL.entry(1));
    EXPECT_EQ(run.window.comEngine.text(), QStringLiteral("google(日本語)"));
    EXPECT_EQ(run.window.Tab1.tag(1), QStringLiteral("1"));
    EXPECT_FALSE(run.window.menus.state(QStringLiteral("mnuViewAutoRefresh_time(8)")).enabled);

    // Closing saves the tree as the user's list; the next start reads only that.
    run.close();
    QFile::remove(folder.file("data/brd/a_first.brd"));
    ProgramRun second(folder);
    second.start();
    EXPECT_TRUE(second.shown.empty());
    EXPECT_EQ(second.treeTexts(), run.treeTexts());
}

TEST(Startup, UserListHidesTheInitialLists) {
    ProgramFolder folder;
    writeBytes(folder.file("data/profile/Newslist.brd"), cp932Lines(NewsList));
    writeBytes(folder.file("data/brd/a.brd"), cp932Lines(OtherList));
    ProgramRun run(folder);
    run.start();
    EXPECT_EQ(run.treeTexts(), (QStringList{QStringLiteral("ニュース"), QStringLiteral("速報")}));
}

TEST(Startup, NoListsAtAllShowsTheNoDataMessageAndGoesOn) {
    ProgramFolder folder;
    WriteDefaultSettings(folder.file("data/rss.ini"));
    ProgramRun run(folder);
    run.start();
    ASSERT_EQ(run.shown.size(), 1u);
    EXPECT_EQ(run.shown[0].text,
              QStringLiteral("ニュースデータが一件も存在しないため終了します。"));
    EXPECT_EQ(run.shown[0].title, QStringLiteral("■ボードデータ処理エラー -Quillet-"));
    EXPECT_EQ(run.window.tvw1.count(), 0);
    EXPECT_EQ(run.view.arranged, 1);
}

TEST(Startup, BrokenInitialListIsNamedAndTheNextIsStillRead) {
    ProgramFolder folder;
    WriteDefaultSettings(folder.file("data/rss.ini"));
    writeBytes(folder.file("data/brd/a.brd"),
               cp932Lines({R"("孤児","http://x/","CHILD_NODE","1")"}));
    writeBytes(folder.file("data/brd/b.brd"), cp932Lines(OtherList));
    ProgramRun run(folder);
    run.start();
    ASSERT_EQ(run.shown.size(), 1u);
    EXPECT_EQ(run.shown[0].text,
              QStringLiteral(
                  "次のファイルの読み込みでエラーが発生しました。\r\nエラーを起こしたファイル：") +
                  folder.file("data/brd/a.brd"));
    EXPECT_EQ(run.shown[0].title, QStringLiteral("Quillet"));
    EXPECT_EQ(run.window.tvw1.count(), 2);
}

TEST(Startup, PartlyReadUserListIsNotOverwrittenAtExit) {
    ProgramFolder folder;
    WriteDefaultSettings(folder.file("data/rss.ini"));
    const QByteArray original =
        cp932Lines(NewsList + QStringList{R"("二重","http://news.example/rss","CHILD_NODE","1")",
                                          R"("後","http://later.example/","CHILD_NODE","1")"});
    writeBytes(folder.file("data/profile/Newslist.brd"), original);
    ProgramRun run(folder);
    run.start();
    ASSERT_EQ(run.shown.size(), 2u);
    EXPECT_TRUE(run.shown[0].text.endsWith(folder.file("data/profile/Newslist.brd")));
    // The user learns that the list stays and where this run's edits will go.
    EXPECT_TRUE(run.shown[1].text.endsWith(folder.file("data/profile/Newslist_recovered.brd")));
    EXPECT_EQ(run.window.tvw1.count(), 2);
    run.window.tvw1.setTag(QStringLiteral("5"));
    ASSERT_EQ(AddFolderNode(run.window.tvw1, QString(), QStringLiteral("追加")), 0);
    run.close();
    EXPECT_EQ(readBytes(folder.file("data/profile/Newslist.brd")), original);
    const QString recovered =
        platform::text::decodeCp932(readBytes(folder.file("data/profile/Newslist_recovered.brd")));
    EXPECT_TRUE(recovered.contains(QStringLiteral("\"速報\"")));
    EXPECT_TRUE(recovered.contains(QStringLiteral("\"追加\",\"ROOT_FOLDER\",\"root_usr5\"")));
}

TEST(Startup, SettingsWithMissingOrBadValuesStartWithTheDefaultsAndSayWhich) {
    ProgramFolder folder;
    writeBytes(folder.file("data/rss.ini"), "[App]\r\nTop=abc\r\nLeft=0\r\nWidth=6000\r\n"
                                            "Height=6000\r\nFolders=3\r\n[General]\r\n"
                                            "Saveurl=0\r\nSaveHistory=1\r\nTvrSingleSel=0\r\n"
                                            "ShowLogo=0\r\nLoadINI=1\r\nWriteINI=1\r\n"
                                            "DeleteLog=0\r\nDeleteHistory=0\r\n");
    writeBytes(folder.file("data/profile/Newslist.brd"), cp932Lines(NewsList));
    ProgramRun run(folder);
    run.start();
    EXPECT_TRUE(run.shown.empty());
    EXPECT_EQ(run.treeTexts(), (QStringList{"ニュース", "速報"}));
    EXPECT_EQ(run.window.stb1.panelText(1),
              QStringLiteral("設定ファイルの次の値が読めないため既定値を使いました："
                             "[App]Top、[General]SaveFavorite"));
    EXPECT_EQ(run.app.settings.general.SaveFavorite, 1);

    // The defaults are in the file, so the next start reads it whole.
    ProgramRun next(folder);
    next.start();
    EXPECT_EQ(next.window.stb1.panelText(1), QString());
    EXPECT_EQ(next.treeTexts(), (QStringList{"ニュース", "速報"}));
}

TEST(Startup, LoadErrorIsReportedAndProtectsTheUserList) {
    ProgramFolder folder;
    // A settings file that is a folder can neither be read nor created.
    QDir().mkpath(folder.file("data/rss.ini"));
    const QByteArray original = cp932Lines(NewsList);
    writeBytes(folder.file("data/profile/Newslist.brd"), original);
    ProgramRun run(folder);
    run.start();
    ASSERT_EQ(run.shown.size(), 2u);
    EXPECT_TRUE(run.shown[1].text.startsWith(
        QStringLiteral("初期化において次のエラーが起きました。\r\n\r\nエラー番号：")));
    EXPECT_EQ(run.shown[1].title, QStringLiteral("■初期化処理失敗 -Quillet-"));
    EXPECT_EQ(run.shown[1].icon, platform::MsgIcon::Critical);
    EXPECT_EQ(run.window.tvw1.count(), 0);
    EXPECT_EQ(run.view.arranged, 0);

    // The settings read so far leave SaveFavorite off; even with it on, the
    // unread list must stay.
    run.app.settings.general.SaveFavorite = 1;
    run.close();
    EXPECT_EQ(readBytes(folder.file("data/profile/Newslist.brd")), original);
}

TEST(Startup, ReadTitlesThatWereNeverLoadedAreKeptAndThisRunsGoBesideThem) {
    ProgramFolder folder;
    // A settings file that is a folder can neither be read nor created.
    QDir().mkpath(folder.file("data/rss.ini"));
    const QByteArray titles = cp932Lines({QStringLiteral("前に読んだ記事")});
    writeBytes(folder.file("data/profile/History_News.lst"), titles);
    ProgramRun run(folder);
    run.start(); // ends before the read titles are loaded
    run.shown.clear();
    run.app.newsHistory.addIfNew(QStringLiteral("今回の記事"));
    run.close();
    run.close();
    EXPECT_EQ(readBytes(folder.file("data/profile/History_News.lst")), titles);
    EXPECT_EQ(readBytes(folder.file("data/profile/History_News_recovered.lst")),
              cp932Lines({QStringLiteral("今回の記事")}));
    EXPECT_EQ(std::count_if(run.shown.begin(), run.shown.end(),
                            [](const ShownMessage& message) {
                                return message.text.contains(
                                    QStringLiteral("History_News_recovered"));
                            }),
              1);

    // A file read completely is written as always.
    ProgramFolder healthy;
    WriteDefaultSettings(healthy.file("data/rss.ini"));
    writeBytes(healthy.file("data/profile/History_News.lst"), titles);
    ProgramRun normal(healthy);
    normal.start();
    normal.app.newsHistory.addIfNew(QStringLiteral("今回の記事"));
    normal.close();
    EXPECT_EQ(readBytes(healthy.file("data/profile/History_News.lst")),
              cp932Lines({QStringLiteral("前に読んだ記事"), QStringLiteral("今回の記事")}));
}

namespace {

struct ExitCase {
    int deleteHistory;
    int saveHistory;
    int deleteLog;
    bool historyKept;
    bool logsKept;
};

void runExitCase(const ExitCase& c) {
    ProgramFolder folder;
    WriteDefaultSettings(folder.file("data/rss.ini"));
    writeBytes(folder.file("data/profile/Newslist.brd"), cp932Lines(NewsList));
    writeBytes(folder.file("data/profile/History.lst"), "h\r\n");
    writeBytes(folder.file("data/log/feed.xml"), "<rss/>");
    writeBytes(folder.file("data/log/feed.log"), "log\r\n");
    ProgramRun run(folder);
    run.start();
    run.app.settings.general.DeleteHistory = static_cast<std::int16_t>(c.deleteHistory);
    run.app.settings.general.SaveHistory = static_cast<std::int16_t>(c.saveHistory);
    run.app.settings.general.DeleteLog = static_cast<std::int16_t>(c.deleteLog);
    run.close();
    EXPECT_EQ(QFile::exists(folder.file("data/profile/History.lst")), c.historyKept);
    EXPECT_EQ(QFile::exists(folder.file("data/log/feed.xml")), c.logsKept);
    EXPECT_TRUE(QFile::exists(folder.file("data/log/feed.log")));
    EXPECT_TRUE(run.shown.empty());
}

} // namespace

TEST(Exit, HistoryAndLogSwitchesAreComparedWithOne) {
    runExitCase({1, 0, 1, false, false});
    runExitCase({1, 1, 0, true, true});
    runExitCase({0, 0, 2, true, true});
    runExitCase({2, 0, 1, true, false});
}

TEST(Exit, SettingsFeedListAndReadTitlesAreSavedAsTheSwitchesSay) {
    ProgramFolder folder;
    WriteDefaultSettings(folder.file("data/rss.ini"));
    writeBytes(folder.file("data/profile/Newslist.brd"), cp932Lines(NewsList));
    writeBytes(folder.file("data/profile/History_News.lst"), "old\r\n");
    {
        // WriteINI 0 and SaveFavorite 0: neither file changes; an empty read-title
        // list leaves its file.
        ProgramRun run(folder);
        run.start();
        run.app.settings.general.WriteINI = 0;
        run.app.settings.general.SaveFavorite = 0;
        run.window.tvw1.setTag(QStringLiteral("99"));
        run.window.tvw1.addNode(QStringLiteral("root_usr1"), QStringLiteral("http://new/"),
                                QStringLiteral("新"), QStringLiteral("XML"));
        run.close();
        EXPECT_EQ(platform::profile::getPrivateProfileString(QStringLiteral("App"),
                                                             QStringLiteral("Folders"), QString(),
                                                             100, folder.file("data/rss.ini")),
                  QStringLiteral("1"));
        EXPECT_EQ(readBytes(folder.file("data/profile/Newslist.brd")), cp932Lines(NewsList));
        EXPECT_EQ(readBytes(folder.file("data/profile/History_News.lst")), QByteArray("old\r\n"));
    }
    {
        ProgramRun run(folder);
        run.start();
        run.window.tvw1.setTag(QStringLiteral("99"));
        run.window.tvw1.addNode(QStringLiteral("root_usr1"), QStringLiteral("http://new/"),
                                QStringLiteral("新"), QStringLiteral("XML"));
        run.app.newsHistory.addIfNew(QStringLiteral("読んだ記事"));
        run.close();
        EXPECT_EQ(platform::profile::getPrivateProfileString(QStringLiteral("App"),
                                                             QStringLiteral("Folders"), QString(),
                                                             100, folder.file("data/rss.ini")),
                  QStringLiteral("99"));
        EXPECT_EQ(readBytes(folder.file("data/profile/Newslist.brd")),
                  cp932Lines(NewsList + QStringList{R"("新","http://new/","CHILD_NODE","1")"}));
        EXPECT_EQ(readBytes(folder.file("data/profile/History_News.lst")),
                  cp932Lines({QStringLiteral("old"), QStringLiteral("読んだ記事")}));
    }
}

TEST(Exit, MissingSettingsFileIsWrittenBeforeSaving) {
    ProgramFolder folder;
    writeBytes(folder.file("data/profile/Newslist.brd"), cp932Lines(NewsList));
    ProgramRun run(folder);
    run.start();
    QFile::remove(folder.file("data/rss.ini"));
    run.window.tvw1.setTag(QStringLiteral("4"));
    run.app.settings.general.LoadINI = 0;
    run.close();
    const QString ini = folder.file("data/rss.ini");
    EXPECT_EQ(platform::profile::getPrivateProfileString(
                  QStringLiteral("General"), QStringLiteral("LoadINI"), QString(), 9, ini),
              QStringLiteral("1"));
    EXPECT_EQ(platform::profile::getPrivateProfileString(
                  QStringLiteral("App"), QStringLiteral("Folders"), QString(), 9, ini),
              QStringLiteral("4"));
}

TEST(Exit, FailureToSaveIsShownNamingTheFileAndClosingGoesOn) {
    ProgramFolder folder;
    WriteDefaultSettings(folder.file("data/rss.ini"));
    writeBytes(folder.file("data/profile/Newslist.brd"), cp932Lines(NewsList));
    ProgramRun run(folder);
    run.start();
    run.app.newsHistory.addIfNew(QStringLiteral("記事"));
    // The profile folder disappears while the program runs.
    QDir(folder.file("data/profile")).removeRecursively();
    run.window.tvw1.setTag(QStringLiteral("3"));
    run.close();
    ASSERT_EQ(run.shown.size(), 2u);
    EXPECT_TRUE(run.shown[0].text.contains(folder.file("data/profile/Newslist.brd")));
    EXPECT_TRUE(run.shown[1].text.contains(folder.file("data/profile/History_News.lst")));
    for (const ShownMessage& message : run.shown) {
        EXPECT_TRUE(message.title.startsWith(QStringLiteral("■")));
        EXPECT_TRUE(message.title.endsWith(QStringLiteral(" -Quillet-")));
        EXPECT_EQ(message.icon, platform::MsgIcon::Critical);
    }
    // The settings, saved before, are written all the same.
    EXPECT_EQ(platform::profile::getPrivateProfileString(QStringLiteral("App"),
                                                         QStringLiteral("Folders"), QString(), 9,
                                                         folder.file("data/rss.ini")),
              QStringLiteral("3"));
}
