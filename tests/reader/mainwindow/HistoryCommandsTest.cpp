#include "reader/mainwindow/HistoryCommands.h"
#include "reader/app/AppState.h"
#include "support/RecordingMessages.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

using namespace quillet;
using testing_support::ProgramFolder;
using testing_support::RecordingMessages;
using testing_support::ShownMessage;
using testing_support::writeBytes;

namespace {

struct Answered {
    explicit Answered(platform::MsgResult answer)
        : app(folder.path(), std::make_unique<RecordingMessages>(shown, answer)) {}
    ProgramFolder folder;
    std::vector<ShownMessage> shown;
    AppState app;
};

} // namespace

TEST(HistoryCommands, EachAsksThenDeletesItsFilesAndSaysSo) {
    Answered yes(platform::MsgResult::Yes);
    writeBytes(yes.folder.file("data/profile/History.lst"), "a\r\n");
    writeBytes(yes.folder.file("data/profile/History_News.lst"), "b\r\n");
    writeBytes(yes.folder.file("data/log/one.xml"), "<x/>");
    writeBytes(yes.folder.file("data/log/two.XML"), "<x/>");
    writeBytes(yes.folder.file("data/log/one.log"), "\"t\"\r\n");

    DeleteHistoryCommand(yes.app, HistoryFiles::History);
    DeleteHistoryCommand(yes.app, HistoryFiles::NewsHistory);
    DeleteHistoryCommand(yes.app, HistoryFiles::Logs);
    ASSERT_EQ(yes.shown.size(), 6u);
    EXPECT_EQ(yes.shown[0].text, QStringLiteral("現在保持している履歴を削除しますか?"));
    EXPECT_EQ(yes.shown[0].title, QStringLiteral("履歴削除ダイアログ"));
    EXPECT_EQ(yes.shown[0].buttons, platform::MsgButtons::YesNo);
    EXPECT_EQ(yes.shown[1].text, QStringLiteral("履歴ファイルを削除しました"));
    EXPECT_EQ(yes.shown[1].icon, platform::MsgIcon::Information);
    EXPECT_EQ(yes.shown[2].title, QStringLiteral("ニュース履歴削除ダイアログ"));
    EXPECT_EQ(yes.shown[3].text, QStringLiteral("ニュース履歴を削除しました"));
    EXPECT_EQ(yes.shown[4].text, QStringLiteral("現在保持している全てのログを削除しますか?"));
    EXPECT_EQ(yes.shown[5].text, QStringLiteral("ログを削除しました"));
    EXPECT_FALSE(QFile::exists(yes.folder.file("data/profile/History.lst")));
    EXPECT_FALSE(QFile::exists(yes.folder.file("data/profile/History_News.lst")));
    EXPECT_FALSE(QFile::exists(yes.folder.file("data/log/one.xml")));
    EXPECT_FALSE(QFile::exists(yes.folder.file("data/log/two.XML")));
    EXPECT_TRUE(QFile::exists(yes.folder.file("data/log/one.log")));

    // Nothing left: each warns that there is nothing.
    yes.shown.clear();
    DeleteHistoryCommand(yes.app, HistoryFiles::History);
    DeleteHistoryCommand(yes.app, HistoryFiles::NewsHistory);
    DeleteHistoryCommand(yes.app, HistoryFiles::Logs);
    ASSERT_EQ(yes.shown.size(), 6u);
    EXPECT_EQ(yes.shown[1].text, QStringLiteral("履歴ファイルが存在しません。"));
    EXPECT_EQ(yes.shown[1].icon, platform::MsgIcon::Exclamation);
    EXPECT_EQ(yes.shown[1].title, QStringLiteral("Quillet"));
    EXPECT_EQ(yes.shown[3].text, QStringLiteral("ニュース履歴が存在しません。"));
    EXPECT_EQ(yes.shown[5].text, QStringLiteral("ログが存在しません。"));
}

TEST(HistoryCommands, NoKeepsTheFilesAndTheReadTitlesStayInMemory) {
    Answered no(platform::MsgResult::No);
    writeBytes(no.folder.file("data/profile/History_News.lst"), "b\r\n");
    no.app.newsHistory.addIfNew(QStringLiteral("b"));
    DeleteHistoryCommand(no.app, HistoryFiles::NewsHistory);
    EXPECT_EQ(no.shown.size(), 1u);
    EXPECT_TRUE(QFile::exists(no.folder.file("data/profile/History_News.lst")));

    Answered yes(platform::MsgResult::Yes);
    writeBytes(yes.folder.file("data/profile/History_News.lst"), "b\r\n");
    yes.app.newsHistory.addIfNew(QStringLiteral("b"));
    DeleteHistoryCommand(yes.app, HistoryFiles::NewsHistory);
    EXPECT_TRUE(yes.app.newsHistory.IsReadTitle(QStringLiteral("b")));
}
