#include "support/TempFiles.h"

#include <QProcess>
#include <gtest/gtest.h>

using testing_support::writeBytes;

namespace {

struct FeedcatRun {
    int exitCode;
    QString out;
};

FeedcatRun feedcat(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(FEEDCAT_PATH), arguments);
    process.waitForFinished(30000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput())};
}

} // namespace

TEST(Feedcat, PrintsOneFlattenedLinePerRowAndReportsTheParserResult) {
    QTemporaryDir dir;
    const QString rss = dir.path() + QStringLiteral("/a.xml");
    writeBytes(rss, "<rss><channel>"
                    "<item><title>One\ttab</title><link>http://1</link>"
                    "<description>line\nbreak</description><date>d1</date></item>"
                    "<item><title>Two</title><link>http://2</link></item>"
                    "</channel></rss>");
    const FeedcatRun ok = feedcat({QStringLiteral("--kind"), QStringLiteral("XML"), rss});
    EXPECT_EQ(ok.exitCode, 0);
    EXPECT_EQ(ok.out, QStringLiteral("1\tOne tab\thttp://1\tline break\t\td1\n"
                                     "2\tTwo\thttp://2\t\t\t\n"));

    // The other kind's parser finds no items in this layout, so the one that
    // fits reads it, as the reader does.
    const FeedcatRun other = feedcat({QStringLiteral("--kind"), QStringLiteral("XML2"), rss});
    EXPECT_EQ(other.exitCode, 0);
    EXPECT_EQ(other.out, ok.out);

    // An outline prints what an import would add.
    const QString opml = dir.path() + QStringLiteral("/feeds.opml");
    writeBytes(opml, "<opml version=\"1.0\"><body><outline text=\"A\"><outline text=\"B\">"
                     "<outline text=\"f\" type=\"rss\" xmlUrl=\"http://f/\"/></outline></outline>"
                     "</body></opml>");
    const FeedcatRun outline = feedcat({QStringLiteral("--opml"), opml});
    EXPECT_EQ(outline.exitCode, 0);
    EXPECT_EQ(outline.out, QStringLiteral("A\tB\tf\thttp://f/\tXML\n"));
    EXPECT_EQ(feedcat({QStringLiteral("--opml"), rss}).exitCode, 1);

    const QString broken = dir.path() + QStringLiteral("/broken.xml");
    writeBytes(broken, "<rss><channel>");
    EXPECT_EQ(feedcat({QStringLiteral("--kind"), QStringLiteral("XML2"), broken}).exitCode, 1);
    EXPECT_EQ(feedcat({QStringLiteral("--kind"), QStringLiteral("XML"),
                       dir.path() + QStringLiteral("/none.xml")})
                  .exitCode,
              1);
    EXPECT_EQ(feedcat({QStringLiteral("--kind"), QStringLiteral("ATOM"), rss}).exitCode, 2);
    EXPECT_EQ(feedcat({rss}).exitCode, 2);
}
