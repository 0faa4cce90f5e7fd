#include "reader/mainwindow/Patrol.h"
#include "platform/runtime/MessageBox.h"
#include "reader/app/AppState.h"
#include "reader/mainwindow/MainWindowModel.h"
#include "reader/mainwindow/RefreshTimer.h"
#include "support/RecordingView.h"
#include "support/TempFiles.h"
#include "support/TestHttpServer.h"

#include <QElapsedTimer>
#include <QTimer>
#include <gtest/gtest.h>

using namespace quillet;
using testing_support::cp932Lines;
using testing_support::ProgramFolder;
using testing_support::Reply;
using testing_support::writeBytes;

namespace {

QByteArray rss(const QStringList& titles) {
    QByteArray body = "<rss><channel>";
    for (const QString& title : titles)
        body += "<item><title>" + title.toUtf8() + "</title><link>http://a/" +
                QByteArray::number(qHash(title)) + "</link></item>";
    return body + "</channel></rss>";
}

class Patrol : public ::testing::Test {
protected:
    Patrol() : app(folder.path(), nullptr) {
        server.serve("/good.xml",
                     {200, rss({"新しい", "読んだ", "もう一つ"}), {}, Reply::Mode::Normal});
        server.serve("/same.xml", {200, rss({"読んだ"}), {}, Reply::Mode::Normal});
        app.newsHistory.addIfNew(QStringLiteral("読んだ"));
        writeBytes(folder.file("data/profile/NewsChecklist.brd"),
                   cp932Lines({feed("良い", "/good.xml"), feed("壊れた", "/missing.xml"),
                               feed("同じ", "/same.xml")}));
        window.lvw1.addRow({QStringLiteral("1"), QStringLiteral("読んでいる記事")}, false);
        app.CurrentFeedFile = folder.file("data/log/読書中.xml");
        app.CurrentFeedName = QStringLiteral("読書中");
    }
    QString feed(const char* name, const char* path) const {
        return QStringLiteral("\"%1\",\"%2\",\"CHILD_NODE\",\"1\"")
            .arg(QString::fromUtf8(name), server.url(path));
    }

    testing_support::TestHttpServer server;
    ProgramFolder folder;
    AppState app;
    MainWindowModel window;
};

} // namespace

TEST_F(Patrol, FetchesEveryListedFeedCountsUnreadArticlesAndNamesFailures) {
    const PatrolResult result = RunPatrol(app, window);
    EXPECT_EQ(result.feeds, 3);
    EXPECT_EQ(result.newArticles, 2);
    EXPECT_EQ(result.feedsWithNew, 1);
    EXPECT_EQ(result.failed, QStringList{QStringLiteral("壊れた")});
    EXPECT_TRUE(QFile::exists(folder.file("data/log/良い.xml")));
    EXPECT_TRUE(QFile::exists(folder.file("data/log/良い.log")));
    EXPECT_TRUE(QFile::exists(folder.file("data/log/同じ.log")));

    // What the user reads stays as it was.
    EXPECT_EQ(window.lvw1.count(), 1);
    EXPECT_EQ(app.CurrentFeedName, QStringLiteral("読書中"));
    EXPECT_EQ(app.CurrentFeedFile, folder.file("data/log/読書中.xml"));

    const QString text = patrolReportText(result, QTime(9, 5, 3));
    EXPECT_EQ(text,
              QStringLiteral("ニュース巡回：3件のニュースを確認し、1件のニュースに未読の記事が2件"
                             "ありました。取得できなかったニュース1件：壊れた。[9:05:03]"));
}

TEST_F(Patrol, FilteredArticlesAreNotCountedAndAStopRequestEndsTheRun) {
    app.settings.filter.Filtering = 1;
    app.settings.filter.use[0] = 1;
    app.settings.filter.words[0] = QStringLiteral("もう");
    int asked = 0;
    const PatrolResult result = RunPatrol(app, window, [&asked] { return ++asked > 1; });
    EXPECT_EQ(result.feeds, 1);
    EXPECT_EQ(result.newArticles, 1);
}

TEST_F(Patrol, TheCatalogueOrTheRecordDecidesHowAFeedIsRead) {
    const QByteArray rdfBody = "<rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">"
                               "<item><title>RDF</title><link>http://r/</link></item></rdf:RDF>";
    server.serve("/rdf.xml", {200, rdfBody, {}, Reply::Mode::Normal});
    server.serve("/rdf2.xml", {200, rdfBody, {}, Reply::Mode::Normal});
    const QString rdf = server.url("/rdf.xml");
    writeBytes(
        folder.file("data/profile/NewsChecklist.brd"),
        cp932Lines(
            {feed("カタログ", "/rdf.xml"),
             QStringLiteral("\"記録\",\"%1\",\"CHILD_NODE\",\"2\"").arg(server.url("/rdf2.xml")),
             QStringLiteral("\"ページ\",\"%1\",\"CHILD_NODE\",\"0\"")
                 .arg(server.url("/page.html"))}));
    // The catalogue still holds the first as an RSS 1.0 feed; the list says "1".
    window.tvw1.addNode(QString(), QStringLiteral("root_1"), QStringLiteral("F"),
                        QStringLiteral("CLOSE"));
    window.tvw1.addNode(QStringLiteral("root_1"), rdf, QStringLiteral("カタログ"),
                        QStringLiteral("XML2"));
    const PatrolResult result = RunPatrol(app, window);
    EXPECT_EQ(window.tvw1.unreadCount(window.tvw1.indexOfKey(rdf)), 1);
    EXPECT_EQ(result.feeds, 2); // the page is no feed
    EXPECT_EQ(result.newArticles, 2);
    EXPECT_TRUE(result.failed.isEmpty());
}

TEST_F(Patrol, TheWindowKeepsWorkingWhileASlowFeedDownloads) {
    Reply stall;
    stall.mode = Reply::Mode::Stall;
    stall.body = rss({"遅れて届く"});
    server.serve("/slow.xml", stall);
    writeBytes(folder.file("data/profile/NewsChecklist.brd"),
               cp932Lines({feed("遅い", "/slow.xml")}));
    app.downloadLimits.lowSpeedSeconds = 2;
    QElapsedTimer clock;
    clock.start();
    qint64 eventRanAt = -1;
    QTimer::singleShot(100, [&] { eventRanAt = clock.elapsed(); });
    const PatrolResult result = RunPatrol(app, window);
    EXPECT_EQ(result.failed, QStringList{QStringLiteral("遅い")});
    EXPECT_GE(clock.elapsed(), 1500);
    ASSERT_GE(eventRanAt, 0);
    EXPECT_LT(eventRanAt, 1000);
}

TEST_F(Patrol, TheTimerRunsThePatrolOnceItsPeriodHasPassed) {
    testing_support::RecordingView view;
    window.tvw1.addNode(QString(), QStringLiteral("root_1"), QStringLiteral("F"),
                        QStringLiteral("CLOSE"));
    RefreshTimer timer(app, window, view);
    timer.patrolHourMs = 1000;
    timer.runPatrol = [this] {
        window.stb1.setPanelText(1, patrolReportText(RunPatrol(app, window), QTime(1, 2, 3)));
    };
    app.patrolOn = true;
    app.patrolPeriod = 1;
    timer.tick();
    EXPECT_TRUE(window.stb1.panelText(1).isEmpty());
    timer.tick();
    EXPECT_TRUE(window.stb1.panelText(1).contains(QStringLiteral("未読の記事が2件")));
}
