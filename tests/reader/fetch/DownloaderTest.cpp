#include "reader/fetch/Downloader.h"
#include "platform/controls/SimpleModels.h"
#include "platform/runtime/MessageBox.h"
#include "reader/app/AppState.h"
#include "reader/fetch/FeedValidators.h"
#include "support/TempFiles.h"
#include "support/TestHttpServer.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <QUrl>
#include <gtest/gtest.h>

using namespace quillet;
using testing_support::ProgramFolder;
using testing_support::readBytes;
using testing_support::writeBytes;

namespace {

class Downloading : public ::testing::Test {
protected:
    Downloading() : app(folder.path(), nullptr) {}

    // Every text panel 1 showed, in order, without the bracketed time.
    QStringList shownTexts() const {
        QStringList texts;
        for (QString text : shown) {
            const qsizetype bracket = text.lastIndexOf(QLatin1Char('['));
            EXPECT_TRUE(bracket > 0 && text.endsWith(QLatin1Char(']'))) << text.toStdString();
            texts << text.left(bracket);
        }
        return texts;
    }
    void SetUp() override {
        QObject::connect(&status, &platform::controls::StatusBarModel::panelTextChanged,
                         [this](int panel, const QString& text) {
                             if (panel == 1)
                                 shown << text;
                         });
    }
    QString source(const char* name, const QByteArray& bytes) {
        const QString path = sources.path() + QLatin1Char('/') + QString::fromLatin1(name);
        writeBytes(path, bytes);
        return QUrl::fromLocalFile(path).toString();
    }

    ProgramFolder folder;
    QTemporaryDir sources;
    AppState app;
    platform::controls::StatusBarModel status{2};
    QStringList shown;
};

} // namespace

TEST_F(Downloading, FeedsLandInTheLogFolderUnderTheirDisplayName) {
    const QString url = source("feed.xml", "<rss/>");
    ASSERT_EQ(FetchFeed(app, status, QStringLiteral("XML"), url, QStringLiteral("ニュース")), 0);
    EXPECT_EQ(app.CurrentFeedFile, folder.file("data/log/ニュース.xml"));
    EXPECT_EQ(app.CurrentFeedName, QStringLiteral("ニュース"));
    EXPECT_EQ(readBytes(app.CurrentFeedFile), QByteArray("<rss/>"));
    EXPECT_EQ(shownTexts(), (QStringList{url + QStringLiteral("をダウンロードしています"),
                                         url + QStringLiteral("をダウンロード完了しました")}));
}

TEST_F(Downloading, AMissingLogFolderIsAnErrorNotAFailedDownload) {
    QDir(folder.file("data/log")).removeRecursively();
    const QString url = source("feed.xml", "<rss/>");
    EXPECT_EQ(FetchFeed(app, status, QStringLiteral("XML"), url, QStringLiteral("ニュース")), -1);
    EXPECT_EQ(shownTexts(), QStringList{QStringLiteral("エラーが生じたため終了しました。")});
}

TEST_F(Downloading, OtherKindsDownloadNothing) {
    const QString url = source("feed.xml", "<rss/>");
    EXPECT_EQ(FetchFeed(app, status, QStringLiteral("IE"), url, QStringLiteral("a")), 0);
    EXPECT_EQ(FetchFeed(app, status, QStringLiteral("DOC"), url, QStringLiteral("a")), 0);
    EXPECT_EQ(FetchFeed(app, status, QString(), url, QStringLiteral("a")), 0);
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_TRUE(app.CurrentFeedName.isEmpty());
    EXPECT_FALSE(QFile::exists(folder.file("data/log/a.xml")));
}

TEST_F(Downloading, EmptyAnswersAndFailuresKeepTheEarlierFile) {
    writeBytes(folder.file("data/log/n.xml"), "earlier");
    const QString empty = source("empty.xml", "");
    EXPECT_EQ(FetchFeed(app, status, QStringLiteral("XML2"), empty, QStringLiteral("n")), -1);
    EXPECT_EQ(shownTexts(),
              (QStringList{empty + QStringLiteral("をダウンロードしています"),
                           empty + QStringLiteral("をダウンロード完了しました"),
                           QStringLiteral("エラーが生じたため終了しました。（空の応答）")}));

    shown.clear();
    writeBytes(folder.file("data/log/n.xml"), "earlier");
    const QString missing =
        QUrl::fromLocalFile(sources.path() + QStringLiteral("/none")).toString();
    EXPECT_EQ(FetchFeed(app, status, QStringLiteral("XML"), missing, QStringLiteral("n")), -1);
    EXPECT_EQ(shownTexts().last(),
              QStringLiteral("ダウンロードできませんでした。（ファイルが見つかりません）"));
    EXPECT_EQ(readBytes(folder.file("data/log/n.xml")), QByteArray("earlier"));
    // The name is set whatever the outcome.
    EXPECT_EQ(app.CurrentFeedName, QStringLiteral("n"));
}

TEST_F(Downloading, EveryDisplayNameGivesAFileInsideTheLogFolder) {
    const QString url = source("feed.xml", "<rss/>");
    const struct {
        QString name;
        QString file;
    } cases[] = {{QStringLiteral("NHK/科学"), QStringLiteral("NHK／科学.xml")},
                 {QStringLiteral("a:b"), QStringLiteral("a：b.xml")},
                 {QStringLiteral("../up"), QStringLiteral("..／up.xml")},
                 {QStringLiteral("<\\*?\"|>"), QStringLiteral("＜＼＊？＂｜＞.xml")},
                 {QStringLiteral("tab\there\n"), QStringLiteral("tabhere.xml")},
                 {QStringLiteral(".."), QStringLiteral("...xml")}};
    for (const auto& c : cases) {
        EXPECT_EQ(FetchFeed(app, status, QStringLiteral("XML"), url, c.name), 0)
            << c.name.toStdString();
        EXPECT_EQ(app.CurrentFeedFile, folder.file("data/log/") + c.file);
        EXPECT_EQ(readBytes(app.CurrentFeedFile), QByteArray("<rss/>"));
        // The feed keeps the name the user typed.
        EXPECT_EQ(app.CurrentFeedName, c.name);
    }
    // Six documents, each with the server's validators kept beside it.
    EXPECT_EQ(QDir(folder.file("data/log")).entryList(QDir::Files | QDir::Hidden).size(), 12);
    EXPECT_EQ(
        QDir(folder.file("data/log")).entryList({"*.http"}, QDir::Files | QDir::Hidden).size(), 6);
    EXPECT_FALSE(QFile::exists(folder.file("data/up.xml")));
}

TEST_F(Downloading, ServerAnswersDecideTheStatus) {
    testing_support::TestHttpServer server;
    server.serve("/feed", {200, "<rss/>", {}, testing_support::Reply::Mode::Normal});
    server.serve("/empty", {200, "", {}, testing_support::Reply::Mode::Normal});
    server.redirect("/moved", "/feed");
    app.downloadLimits.lowSpeedSeconds = 1;
    server.serve("/stall", {200, "never", {}, testing_support::Reply::Mode::Stall});

    EXPECT_EQ(
        FetchFeed(app, status, QStringLiteral("XML"), server.url("/moved"), QStringLiteral("f")),
        0);
    EXPECT_EQ(readBytes(folder.file("data/log/f.xml")), QByteArray("<rss/>"));
    // The reader adds no request headers of its own to a feed download.
    EXPECT_FALSE(server.requests().back().has("Content-Type"));

    // A port nobody listens on refuses the connection.
    QString refused;
    {
        testing_support::TestHttpServer gone;
        refused = gone.url("/feed");
    }
    const struct {
        QString url;
        QString reason;
    } failures[] = {{server.url("/missing"), QStringLiteral("（HTTP 404）")},
                    {server.url("/stall"), QStringLiteral("（時間切れ）")},
                    {refused, QStringLiteral("（接続が拒否されました）")}};
    for (const auto& failing : failures) {
        shown.clear();
        EXPECT_EQ(FetchFeed(app, status, QStringLiteral("XML"), failing.url, QStringLiteral("f")),
                  -1);
        EXPECT_EQ(shownTexts().last(),
                  QStringLiteral("ダウンロードできませんでした。") + failing.reason);
        EXPECT_EQ(readBytes(folder.file("data/log/f.xml")), QByteArray("<rss/>"));
    }

    shown.clear();
    const QString empty = server.url("/empty");
    EXPECT_EQ(FetchFeed(app, status, QStringLiteral("XML"), empty, QStringLiteral("e")), -1);
    EXPECT_EQ(shownTexts(),
              (QStringList{empty + QStringLiteral("をダウンロードしています"),
                           empty + QStringLiteral("をダウンロード完了しました"),
                           QStringLiteral("エラーが生じたため終了しました。（空の応答）")}));
}

TEST_F(Downloading, PoliteConditionalDownloadsThatTheUserCanStop) {
    testing_support::TestHttpServer server;
    const QString url = server.url("/feed.xml");
    server.serve("/feed.xml", {200,
                               "<rss>first</rss>",
                               {{"ETag", "\"v1\""},
                                {"Last-Modified", "Mon, 07 Dec 2026 09:00:00 GMT"},
                                {"Content-Type", "text/xml; charset=Shift_JIS"}}});
    ASSERT_EQ(FetchFeed(app, status, QStringLiteral("XML"), url, QStringLiteral("feed")), 0);

    // The second request says what is held; "not modified" keeps the held
    // document, which is then read again, and the status says so.
    server.serve("/feed.xml", {304, {}, {}});
    shown.clear();
    ASSERT_EQ(FetchFeed(app, status, QStringLiteral("XML"), url, QStringLiteral("feed")), 0);
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[1].header("If-None-Match"), "\"v1\"");
    EXPECT_EQ(requests[1].header("If-Modified-Since"), "Mon, 07 Dec 2026 09:00:00 GMT");
    EXPECT_EQ(readBytes(app.CurrentFeedFile), QByteArray("<rss>first</rss>"));
    EXPECT_EQ(shownTexts().last(), url + QStringLiteral("は前回から更新されていません"));
    EXPECT_EQ(readFeedValidators(app.CurrentFeedFile).charset, "Shift_JIS");

    // A busy server's Retry-After is passed on as the time to try again.
    server.serve("/feed.xml", {503, "busy", {{"Retry-After", "120"}}});
    shown.clear();
    EXPECT_EQ(FetchFeed(app, status, QStringLiteral("XML"), url, QStringLiteral("feed")), -1);
    EXPECT_TRUE(shownTexts().last().startsWith(
        QStringLiteral("ダウンロードできませんでした。（HTTP 503、")))
        << shownTexts().last().toStdString();
    EXPECT_TRUE(shownTexts().last().endsWith(QStringLiteral("以降に再試行してください）")));

    // Stop during a slow download: the window's events keep running (the
    // timer below fires meanwhile), the transfer ends and the held file stays.
    testing_support::Reply slow{200, QByteArray(200000, 'x'), {}};
    slow.mode = testing_support::Reply::Mode::Trickle;
    slow.trickleMs = 3000;
    server.serve("/feed.xml", slow);
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        if (++ticks == 5)
            app.downloadCancel = true; // as the Stop button does
    });
    ticker.start(20);
    QElapsedTimer clock;
    clock.start();
    shown.clear();
    EXPECT_EQ(FetchFeed(app, status, QStringLiteral("XML"), url, QStringLiteral("feed")), -1);
    EXPECT_GE(ticks, 5);
    EXPECT_LT(clock.elapsed(), 2500) << "cancelled before the body was complete";
    EXPECT_EQ(shownTexts().last(),
              QStringLiteral("ダウンロードできませんでした。（中止しました）"));
    EXPECT_EQ(readBytes(app.CurrentFeedFile), QByteArray("<rss>first</rss>"));
    EXPECT_FALSE(app.downloading);
}

// The file beside the document always says what the last full answer said,
// whether it had to be rewritten or not, and a document removed by hand takes
// its stale validators with it.
TEST_F(Downloading, ValidatorsFollowTheLastAnswer) {
    testing_support::TestHttpServer server;
    const QString url = server.url("/feed.xml");
    const auto fetch = [&](testing_support::HeaderList headers) {
        server.serve("/feed.xml", {200, "<rss/>", std::move(headers)});
        return FetchFeed(app, status, QStringLiteral("XML"), url, QStringLiteral("feed"));
    };
    ASSERT_EQ(fetch({{"ETag", "\"v1\""}, {"Content-Type", "text/xml; charset=EUC-JP"}}), 0);
    ASSERT_EQ(fetch({{"ETag", "\"v1\""}, {"Content-Type", "text/xml; charset=EUC-JP"}}), 0);
    EXPECT_EQ(readFeedValidators(app.CurrentFeedFile), (FeedValidators{"\"v1\"", {}, "EUC-JP"}));
    ASSERT_EQ(fetch({{"ETag", "\"v2\""}}), 0);
    EXPECT_EQ(readFeedValidators(app.CurrentFeedFile), (FeedValidators{"\"v2\"", {}, {}}));
    ASSERT_EQ(fetch({}), 0);
    EXPECT_EQ(readFeedValidators(app.CurrentFeedFile), FeedValidators{});

    ASSERT_EQ(fetch({{"ETag", "\"v3\""}}), 0);
    ASSERT_TRUE(QFile::remove(app.CurrentFeedFile));
    ASSERT_EQ(fetch({}), 0);
    EXPECT_EQ(readFeedValidators(app.CurrentFeedFile), FeedValidators{});
    EXPECT_EQ(server.requests().back().header("If-None-Match"), QByteArray());
}
