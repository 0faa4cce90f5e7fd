#include "reader/fetch/Downloader.h"
#include "platform/controls/SimpleModels.h"
#include "platform/runtime/MessageBox.h"
#include "reader/app/AppState.h"
#include "support/TempFiles.h"
#include "support/TestHttpServer.h"

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
    EXPECT_EQ(QDir(folder.file("data/log")).entryList(QDir::Files | QDir::Hidden).size(), 6);
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
