// Atom feeds, and documents whose shape is not the one their kind expects,
// through the parser choice the reader makes for a feed of each kind.
#include "platform/controls/ListViewModel.h"
#include "reader/fetch/FeedDump.h"
#include "reader/fetch/FeedParser.h"
#include "reader/mainwindow/MainWindowModel.h"
#include "support/QtPrinters.h"
#include "support/TempFiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quillet;
using testing_support::writeBytes;

namespace {

// The rows "number, title, link, description, creator, date" the reader lists.
QStringList rowsOf(const QString& kind, const QByteArray& document,
                   const QString& address = QStringLiteral("http://127.0.0.1/feeds/atom.xml")) {
    QTemporaryDir dir;
    writeBytes(dir.filePath("feed.xml"), document);
    platform::controls::ListViewModel list;
    list.setColumnHeaders(articleColumnHeaders());
    FeedParseContext context;
    context.address = address;
    EXPECT_EQ(ParseFeedOfKind(kind, dir.filePath("feed.xml"), list, context), 0);
    return dumpArticleRows(list);
}

const QByteArray Atom10 = R"(<?xml version="1.0" encoding="utf-8"?>
<feed xmlns="http://www.w3.org/2005/Atom" xml:base="http://127.0.0.1/blog/">
  <title>日記</title>
  <author><name>書き手</name></author>
  <entry xml:base="2026/">
    <title type="html">&lt;b&gt;太字&lt;/b&gt; &amp;amp; 題</title>
    <link rel="edit" href="edit/1"/>
    <link rel="alternate" type="text/html" href="12/first.html"/>
    <summary type="text">a &lt; b</summary>
    <content type="html">&lt;p&gt;本文&lt;/p&gt;</content>
    <updated>2026-12-07T09:00:00+09:00</updated>
    <published>2026-12-06T09:00:00+09:00</published>
  </entry>
  <entry>
    <link href="/second"/>
    <content type="xhtml"><div xmlns="http://www.w3.org/1999/xhtml"><p>二つ目 <em>強調</em></p></div></content>
    <published>2026-12-05T09:00:00Z</published>
    <author><name>別人</name></author>
  </entry>
  <entry>
    <title type="xhtml"><div xmlns="http://www.w3.org/1999/xhtml">三 <b>つ</b>目</div></title>
    <link href="http://other.example/3"/>
  </entry>
</feed>)";

const QByteArray Atom03 = R"(<?xml version="1.0" encoding="utf-8"?>
<feed version="0.3" xmlns="http://purl.org/atom/ns#">
  <title>old</title>
  <entry>
    <title>古い形式</title>
    <link rel="alternate" type="text/html" href="http://127.0.0.1/old/1"/>
    <modified>2004-01-01T00:00:00Z</modified>
    <content type="text/html" mode="escaped">&lt;i&gt;escaped&lt;/i&gt;</content>
  </entry>
</feed>)";

const QByteArray Rss10 = R"(<?xml version="1.0"?>
<rdf:RDF xmlns:rdf="http://www.w3.org/1999/02/22-rdf-syntax-ns#" xmlns="http://purl.org/rss/1.0/">
  <channel rdf:about="http://127.0.0.1/"><title>c</title></channel>
  <item rdf:about="http://127.0.0.1/a"><title>RDF item</title><link>http://127.0.0.1/a</link></item>
</rdf:RDF>)";

const QByteArray Rss20 = R"(<rss version="2.0"><channel><title>c</title>
  <item><title>RSS item</title><link>http://127.0.0.1/r</link></item></channel></rss>)";

} // namespace

TEST(AtomFeeds, EntriesGiveTitleLinkDescriptionDateAndAuthorAsTheListShowsThem) {
    const QStringList rows = rowsOf(QStringLiteral("XML"), Atom10);
    ASSERT_EQ(rows.size(), 3);
    const auto field = [&](int row, int column) { return rows[row].split('\t').value(column); };
    // Titles as plain text whatever their type; links resolved against the
    // entry's and the feed's xml:base; the alternate link, not the edit link.
    EXPECT_EQ(field(0, 1), "太字 & 題");
    EXPECT_EQ(field(0, 2), "http://127.0.0.1/blog/2026/12/first.html");
    EXPECT_EQ(field(0, 3), "a &lt; b") << "plain text shows as written on the page";
    EXPECT_EQ(field(0, 4), "書き手") << "the feed's author stands in";
    EXPECT_FALSE(field(0, 5).isEmpty());
    EXPECT_EQ(field(1, 1), "") << "an entry without a title is still listed";
    EXPECT_EQ(field(1, 2), "http://127.0.0.1/second");
    EXPECT_EQ(field(1, 3), "<p>二つ目 <em>強調</em></p>") << "XHTML content as markup";
    EXPECT_EQ(field(1, 4), "別人");
    EXPECT_EQ(field(2, 1), "三 つ目");
    EXPECT_EQ(field(2, 2), "http://other.example/3");

    const QStringList old = rowsOf(QStringLiteral("XML2"), Atom03);
    ASSERT_EQ(old.size(), 1);
    EXPECT_EQ(old[0].split('\t').value(1), "古い形式");
    EXPECT_EQ(old[0].split('\t').value(2), "http://127.0.0.1/old/1");
    EXPECT_EQ(old[0].split('\t').value(3), "<i>escaped</i>");
}

TEST(AtomFeeds, TheParserThatFitsReadsADocumentOfAnotherShape) {
    EXPECT_EQ(rowsOf(QStringLiteral("XML"), Rss10).size(), 1) << "RSS 1.0 under XML";
    EXPECT_EQ(rowsOf(QStringLiteral("XML2"), Rss20).size(), 1) << "RSS 2.0 under XML2";
    EXPECT_EQ(rowsOf(QStringLiteral("XML2"), Atom10).size(), 3) << "Atom under XML2";
    // The parsers themselves keep to their own shape.
    QTemporaryDir dir;
    writeBytes(dir.filePath("feed.xml"), Rss10);
    platform::controls::ListViewModel list;
    ASSERT_EQ(ParseXmlFeed(dir.filePath("feed.xml"), list, FeedParseContext()), 0);
    EXPECT_EQ(list.count(), 0);
    // A document with no items in any shape lists nothing.
    EXPECT_TRUE(
        rowsOf(QStringLiteral("XML"), "<html><body><p>no feed</p></body></html>").isEmpty());
}
