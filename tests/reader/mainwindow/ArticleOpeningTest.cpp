#include "reader/mainwindow/ArticleOpening.h"
#include "platform/gdi/SystemColors.h"
#include "platform/runtime/MessageBox.h"
#include "platform/text/Codepage.h"
#include "reader/app/AppState.h"
#include "reader/mainwindow/MainWindowModel.h"
#include "reader/mainwindow/NewsHistory.h"
#include "support/RecordingView.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

using namespace quillet;
using testing_support::ProgramFolder;
using testing_support::readBytes;
using testing_support::RecordingView;

namespace {} // namespace

TEST(OpenArticle, ShowsRecordsAndRemembersEveryOpenedTitleOnce) {
    ProgramFolder folder;
    AppState app(folder.path(), nullptr);
    app.newsHistoryComplete = true; // as after a start that read the file
    MainWindowModel window;
    window.Tab1.setTag(1, QStringLiteral("1"));
    const QStringList titles{"ニュース", "", "今日のニュース", "  天気\n", "ニュース"};
    for (int i = 0; i < titles.size(); ++i)
        window.lvw1.addRow({QString::number(i + 1), titles[i], "フィード", "t",
                            QStringLiteral("http://a/%1").arg(i + 1), "", "", ""},
                           true, platform::gdi::sysColor(1));
    RecordingView view;

    window.lvw1.setSelectedRow(1);
    OpenArticle(app, window, view);
    EXPECT_EQ(view.navigations, (QStringList{"1 http://a/1"}));
    EXPECT_FALSE(window.lvw1.cellBold(1, 0));
    EXPECT_FALSE(window.lvw1.cellBold(1, 7));
    EXPECT_EQ(window.lvw1.cellForeColor(1, 3), platform::gdi::sysColor(7));
    EXPECT_TRUE(window.lvw1.cellBold(2, 1));

    // An untitled article is remembered by its link, and does not stop the ones
    // after it; a title holding a read one is a title of its own; blanks at the
    // ends are not part of what the list compares; the same title is held once.
    for (int row = 2; row <= titles.size(); ++row) {
        window.lvw1.setSelectedRow(row);
        OpenArticle(app, window, view);
    }
    const QStringList read{"ニュース", "http://a/2", "今日のニュース", "天気"};
    EXPECT_EQ(app.newsHistory.entries(), read);
    EXPECT_EQ(
        readBytes(folder.file("data/profile/History_News.lst")),
        platform::text::encodeCp932(read.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));

    // After a restart every one of them is read again.
    NewsHistory restarted;
    ASSERT_TRUE(LoadNewsHistory(restarted, folder.file("data/profile/History_News.lst")));
    for (const QString& title : read)
        EXPECT_TRUE(restarted.IsReadTitle(title)) << title.toStdString();

    const QStringList history =
        platform::text::decodeCp932(readBytes(folder.file("data/profile/History.lst")))
            .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(history.size(), 5);
    EXPECT_TRUE(history[0].startsWith(QStringLiteral("\"ニュース\",\"フィード\",#")));
    EXPECT_TRUE(history[0].endsWith(QStringLiteral("#,\"http://a/1\"")));
}

TEST(OpenArticle, HistoryRecordsLeaveTheTimeOutAtMidnight) {
    const QDate day(2004, 5, 17);
    EXPECT_EQ(historyRecord("t", "s", QDateTime(day, QTime(21, 3, 9)), "l"),
              QStringLiteral("\"t\",\"s\",#2004-05-17 21:03:09#,\"l\""));
    EXPECT_EQ(historyRecord("t", "s", QDateTime(day, QTime(0, 0, 0)), "l"),
              QStringLiteral("\"t\",\"s\",#2004-05-17#,\"l\""));
}

TEST(OpenArticle, NodeStatusCountsFeedsOrNamesTheNode) {
    MainWindowModel window;
    window.tvw1.addNode(QString(), "root_1", "フォルダ", "CLOSE");
    window.tvw1.addNode("root_1", "http://a/", "A", "XML");
    window.tvw1.addNode("root_1", "http://b/", "B", "XML2");
    window.tvw1.addNode(QString(), "root_2", "空", "CLOSE");
    EXPECT_EQ(nodeStatusText(window, 1), QStringLiteral("2個のニュースサイトが登録されています。"));
    EXPECT_EQ(nodeStatusText(window, 2), QStringLiteral("□A[http://a/]"));
    EXPECT_EQ(nodeStatusText(window, 4), QStringLiteral("□空[root_2]"));
}

TEST(OpenArticle, CopyEntriesPutTitleLinkOrBoth) {
    MainWindowModel window;
    EXPECT_TRUE(articleClipboardText(window, true, true).isEmpty());
    window.lvw1.addRow({"1", "天気", "f", "t", "http://l/", "", "", ""}, false);
    EXPECT_TRUE(articleClipboardText(window, true, false).isEmpty()); // nothing selected
    window.lvw1.setSelectedRow(1);
    EXPECT_EQ(articleClipboardText(window, true, false), QStringLiteral("天気"));
    EXPECT_EQ(articleClipboardText(window, false, true), QStringLiteral("http://l/"));
    EXPECT_EQ(articleClipboardText(window, true, true), QStringLiteral("天気 http://l/"));
}
