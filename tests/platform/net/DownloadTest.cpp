#include "platform/net/Download.h"

#include "support/TempFiles.h"
#include "support/TestHttpServer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

using namespace platform::net;
using testing_support::readBytes;
using testing_support::Reply;
using testing_support::writeBytes;

namespace {

const QByteArray kEarlier = "<rss>the earlier download</rss>\n";

QByteArray feedBytes(int size) {
    QByteArray bytes;
    for (int i = 0; bytes.size() < size; ++i) {
        bytes += "<item>" + QByteArray::number(i) + "</item>\n";
    }
    return bytes.left(size);
}

Reply body(const QByteArray& bytes, int status = 200) {
    Reply reply;
    reply.status = status;
    reply.body = bytes;
    return reply;
}

class DownloadTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        writeBytes(target, kEarlier);
    }

    // Every entry of the folder, hidden ones included: a leftover temporary shows here.
    QStringList entries() const {
        return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    void expectEarlierKept(const DownloadResult& result) {
        EXPECT_FALSE(result.ok);
        EXPECT_FALSE(result.error.isEmpty());
        EXPECT_EQ(readBytes(target), kEarlier);
        EXPECT_EQ(entries(), QStringList{QStringLiteral("feed.xml")});
    }

    QTemporaryDir dir;
    QString target = dir.path() + QStringLiteral("/feed.xml");
    testing_support::TestHttpServer server;
};

TEST_F(DownloadTest, ReplacesTheTargetAndSendsOnlyBrowserHeaders) {
    const QByteArray bytes = feedBytes(200000);
    server.serve("/feed.xml", body(bytes));

    EXPECT_EQ(URLDownloadToFile(server.url("/feed.xml"), target), 0);
    EXPECT_EQ(readBytes(target), bytes);
    EXPECT_EQ(entries(), QStringList{QStringLiteral("feed.xml")});

    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 1u);
    const auto& request = requests[0];
    EXPECT_EQ(request.method, "GET");
    EXPECT_TRUE(request.header("User-Agent").startsWith("Mozilla/5.0 "));
    EXPECT_TRUE(request.header("User-Agent").contains("Quillet/")) << "it names the program";
    EXPECT_TRUE(request.header("Accept-Encoding").contains("gzip"));
    EXPECT_TRUE(request.header("Accept-Encoding").contains("deflate"));
    EXPECT_FALSE(request.has("Content-Type"));
    EXPECT_FALSE(request.has("Referer"));
}

TEST_F(DownloadTest, EmptyBodyIsASuccessThatLeavesAnEmptyFile) {
    server.serve("/empty", body({}));
    const DownloadResult result = downloadToFile(server.url("/empty"), target);
    EXPECT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(result.httpStatus, 200);
    EXPECT_TRUE(result.error.isEmpty());
    EXPECT_TRUE(QFile::exists(target));
    EXPECT_EQ(QFileInfo(target).size(), 0);

    const QString fresh = dir.filePath(QStringLiteral("new.xml"));
    EXPECT_EQ(URLDownloadToFile(server.url("/empty"), fresh), 0);
    EXPECT_TRUE(QFile::exists(fresh));
}

TEST_F(DownloadTest, NonAsciiAddressIsPercentEncoded) {
    const QByteArray path = QUrl::toPercentEncoding(QStringLiteral("ニュース"), "/");
    server.serve("/" + path + "?q=%E6%97%A5", body("ok"));
    const DownloadResult result = downloadToFile(
        QString::fromLatin1(server.origin()) + QStringLiteral("/ニュース?q=日"), target);
    EXPECT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(readBytes(target), "ok");
}

TEST_F(DownloadTest, RedirectsAreFollowedWithinTheLimit) {
    server.redirect("/a", "/b");
    server.redirect("/b", server.origin() + "/c");
    server.redirect("/c", "/final");
    server.serve("/final", body("final body"));

    const DownloadResult result = downloadToFile(server.url("/a"), target);
    EXPECT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(result.httpStatus, 200);
    EXPECT_EQ(readBytes(target), "final body");
    EXPECT_EQ(server.requests().size(), 4u);

    DownloadLimits two;
    two.maxRedirects = 2;
    writeBytes(target, kEarlier);
    expectEarlierKept(downloadToFile(server.url("/a"), target, two));
}

TEST_F(DownloadTest, RedirectLoopFails) {
    server.redirect("/ping", "/pong");
    server.redirect("/pong", "/ping");
    expectEarlierKept(downloadToFile(server.url("/ping"), target));
    // The limit bounds the loop: the first request and ten redirects.
    EXPECT_EQ(server.requests().size(), 11u);
}

TEST_F(DownloadTest, RedirectToALocalFileIsRefused) {
    const QString secret = dir.filePath(QStringLiteral("secret.txt"));
    writeBytes(secret, "private");
    server.redirect("/go", QUrl::fromLocalFile(secret).toEncoded());
    const DownloadResult result = downloadToFile(server.url("/go"), target);
    QFile::remove(secret);
    expectEarlierKept(result);
}

TEST_F(DownloadTest, ErrorStatusesFailAndKeepTheEarlierFile) {
    server.serve("/server-error", body("<html>oops</html>", 500));
    for (const char* path : {"/missing", "/server-error"}) {
        SCOPED_TRACE(path);
        const DownloadResult result = downloadToFile(server.url(path), target);
        expectEarlierKept(result);
        EXPECT_GE(result.httpStatus, 400);
        EXPECT_NE(URLDownloadToFile(server.url(path), target), 0);
    }
}

TEST_F(DownloadTest, BrokenTransfersKeepTheEarlierFile) {
    Reply stall = body(feedBytes(1000));
    stall.mode = Reply::Mode::Stall;
    server.serve("/stall", stall);
    Reply reset = body(feedBytes(100000));
    reset.mode = Reply::Mode::ResetMidBody;
    server.serve("/reset", reset);

    DownloadLimits quick;
    quick.lowSpeedSeconds = 1;
    quick.connectTimeoutSeconds = 5;
    for (const char* path : {"/stall", "/reset"}) {
        SCOPED_TRACE(path);
        expectEarlierKept(downloadToFile(server.url(path), target, quick));
    }
    const QString nowhere =
        QStringLiteral("http://127.0.0.1:%1/feed.xml").arg(testing_support::closedPort());
    expectEarlierKept(downloadToFile(nowhere, target, quick));
}

TEST_F(DownloadTest, BodiesOverTheLimitAreAbandoned) {
    DownloadLimits small;
    small.maxBodyBytes = 1000;

    server.serve("/exact", body(feedBytes(1000)));
    EXPECT_EQ(URLDownloadToFile(server.url("/exact"), target, small), 0);
    EXPECT_EQ(readBytes(target), feedBytes(1000));
    writeBytes(target, kEarlier);

    // Announced length, unknown length, and a small compressed body that grows when decoded.
    server.serve("/announced", body(feedBytes(5000)));
    Reply unannounced = body(feedBytes(5000));
    unannounced.mode = Reply::Mode::NoLength;
    server.serve("/unannounced", unannounced);
    Reply bomb = body(testing_support::gzipBytes(QByteArray(200000, 'a')));
    bomb.headers = {{"Content-Encoding", "gzip"}};
    ASSERT_LT(bomb.body.size(), 1000);
    server.serve("/bomb", bomb);

    for (const char* path : {"/announced", "/unannounced", "/bomb"}) {
        SCOPED_TRACE(path);
        expectEarlierKept(downloadToFile(server.url(path), target, small));
    }
}

TEST_F(DownloadTest, CompressedBodiesAreStoredDecoded) {
    const QByteArray bytes = feedBytes(50000);
    Reply gzip = body(testing_support::gzipBytes(bytes));
    gzip.headers = {{"Content-Encoding", "gzip"}};
    server.serve("/gzip", gzip);
    Reply deflate = body(testing_support::zlibBytes(bytes));
    deflate.headers = {{"Content-Encoding", "deflate"}};
    server.serve("/deflate", deflate);

    for (const char* path : {"/gzip", "/deflate"}) {
        SCOPED_TRACE(path);
        writeBytes(target, kEarlier);
        const DownloadResult result = downloadToFile(server.url(path), target);
        EXPECT_TRUE(result.ok) << result.error.toStdString();
        EXPECT_EQ(readBytes(target), bytes);
    }
}

TEST_F(DownloadTest, FileAddresses) {
    const QString source = dir.filePath(QStringLiteral("source data.xml"));
    writeBytes(source, "<rss>local</rss>");
    const DownloadResult result = downloadToFile(QUrl::fromLocalFile(source).toString(), target);
    EXPECT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(result.httpStatus, 0);
    EXPECT_EQ(readBytes(target), "<rss>local</rss>");
    QFile::remove(source);

    writeBytes(target, kEarlier);
    expectEarlierKept(downloadToFile(QUrl::fromLocalFile(source).toString(), target));
}

TEST_F(DownloadTest, UnusableAddressesAndTargetsFail) {
    server.serve("/feed.xml", body("new"));
    for (const QString& url : {QString(), QStringLiteral("127.0.0.1/feed.xml"),
                               QStringLiteral("ftp://127.0.0.1/feed.xml")}) {
        SCOPED_TRACE(url.toStdString());
        expectEarlierKept(downloadToFile(url, target));
    }
    EXPECT_TRUE(server.requests().empty());

    // A read-only file is one its owner chose not to have changed, as for the text files.
    QFile::setPermissions(target, QFileDevice::ReadOwner);
    expectEarlierKept(downloadToFile(server.url("/feed.xml"), target));
    QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner);

    const QString noFolder = dir.filePath(QStringLiteral("absent/feed.xml"));
    EXPECT_NE(URLDownloadToFile(server.url("/feed.xml"), noFolder), 0);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("absent"))));

    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.xml")));
    EXPECT_NE(
        URLDownloadToFile(server.url("/feed.xml"), dir.filePath(QStringLiteral("folder.xml"))), 0);
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("folder.xml"))).isDir());
}

} // namespace
