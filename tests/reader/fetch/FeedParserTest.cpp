#include "reader/fetch/FeedParser.h"
#include "platform/controls/ListViewModel.h"
#include "platform/gdi/SystemColors.h"
#include "platform/runtime/Conversions.h"
#include "platform/text/Codepage.h"
#include "reader/fetch/ArticleDates.h"
#include "reader/mainwindow/MainWindowModel.h"
#include "reader/mainwindow/NewsHistory.h"
#include "support/TempFiles.h"

#include <QTimeZone>
#include <gtest/gtest.h>

using namespace quillet;
using platform::controls::ListViewModel;
using testing_support::readBytes;
using testing_support::writeBytes;

namespace {

const QByteArray Rss20 = R"(<?xml version="1.0" encoding="UTF-8"?>
<rss version="2.0" xmlns:dc="http://purl.org/dc/elements/1.1/">
 <channel>
  <title>Channel</title>
  <item>
   <title><![CDATA[First <b>one</b>]]></title>
   <link>http://example.jp/1</link>
   <description><![CDATA[<p>Markup &amp; more</p>]]></description>
   <pubDate>Mon, 07 Dec 2026 09:00:00 +0900</pubDate>
   <dc:creator>Nobody</dc:creator>
  </item>
  <item><title>No link</title><description>skipped</description></item>
  <item><title>  Second  </title><link>http://example.jp/2</link><date>2026-12-07</date></item>
  <item/>
 </channel>
</rss>
)";

const QByteArray Rss10 = R"(<?xml version="1.0" encoding="UTF-8"?>
<rdf:RDF xmlns:rdf="http://www.w3.org/1999/02/22-rdf-syntax-ns#" xmlns="http://purl.org/rss/1.0/"
         xmlns:dc="http://purl.org/dc/elements/1.1/">
 <channel rdf:about="http://example.jp/"><title>Channel</title></channel>
 <item rdf:about="http://example.jp/a">
  <title>記事A</title><link>http://example.jp/a</link>
  <description>説明A</description><dc:date>2026-12-07T09:00:00+09:00</dc:date>
  <dc:creator>山田</dc:creator><headline>見出しA</headline>
 </item>
 <item rdf:about="http://example.jp/b"><link>http://example.jp/b</link></item>
 <item/>
</rdf:RDF>
)";

class Parsing : public ::testing::Test {
protected:
    Parsing() { list.setColumnHeaders(articleColumnHeaders()); }
    QString feed(const char* name, const QByteArray& bytes) {
        const QString path = dir.path() + QLatin1Char('/') + QString::fromLatin1(name);
        writeBytes(path, bytes);
        return path;
    }
    FeedParseContext context() const {
        return {QStringLiteral("テスト"), &history, overrides, dir.path() + QLatin1Char('/')};
    }
    QString cell(int row, int column) const { return list.itemText(row, column); }

    QTemporaryDir dir;
    ListViewModel list;
    NewsHistory history;
    XmlNameOverrides overrides;
};

} // namespace

TEST_F(Parsing, RssItemsNeedTitleAndLinkAndAreNumberedWithoutGaps) {
    history.addIfNew(QStringLiteral("Second"));
    ASSERT_EQ(ParseXmlFeed(feed("a.xml", Rss20), list, context()), 0);
    ASSERT_EQ(list.count(), 2);
    EXPECT_EQ(cell(1, 0), QStringLiteral("1"));
    EXPECT_EQ(cell(1, 1), QStringLiteral("First <b>one</b>"));
    EXPECT_EQ(cell(1, 2), QStringLiteral("テスト"));
    EXPECT_FALSE(cell(1, 3).isEmpty());
    EXPECT_EQ(cell(1, 4), QStringLiteral("http://example.jp/1"));
    EXPECT_EQ(cell(1, 5), QStringLiteral("<p>Markup &amp; more</p>"));
    EXPECT_EQ(cell(1, 6), QString()); // no creator for this kind
    // Without a "date" element, pubDate is shown in local time.
    EXPECT_EQ(cell(1, 7),
              platform::dateTimeText(
                  QDateTime(QDate(2026, 12, 7), QTime(0, 0), QTimeZone::utc()).toLocalTime()));
    EXPECT_EQ(cell(2, 0), QStringLiteral("2"));
    EXPECT_EQ(cell(2, 1), QStringLiteral("Second"));
    EXPECT_EQ(cell(2, 7), QStringLiteral("2026-12-07"));

    // Unread rows are bold in the desktop colour; a read title (blanks aside) is not.
    for (int column = 0; column < 8; ++column) {
        EXPECT_TRUE(list.cellBold(1, column));
        EXPECT_EQ(list.cellForeColor(1, column), platform::gdi::sysColor(1));
        EXPECT_FALSE(list.cellBold(2, column));
    }

    EXPECT_EQ(readBytes(dir.path() + QStringLiteral("/テスト.log")),
              QByteArray("\"First <b>one</b>\"\r\n\"Second\"\r\n"));
}

TEST(ArticleDates, PubDateAndDcDateAreReadInAnyZoneAndOtherTextIsKept) {
    const QDateTime utc(QDate(2026, 12, 7), QTime(0, 5, 3), QTimeZone::utc());
    for (const char* written :
         {"Mon, 07 Dec 2026 09:05:03 +0900", "07 Dec 2026 00:05:03 GMT",
          "Sun, 6 Dec 26 19:05:03 EST", "Mon, 07 Dec 2026 09:05:03 JST",
          "2026-12-07T09:05:03+09:00", "2026-12-07T00:05:03Z", "2026-12-06T19:05:03.250-05:00"})
        EXPECT_EQ(shownArticleDate(QString::fromLatin1(written)),
                  platform::dateTimeText(utc.toLocalTime()))
            << written;
    EXPECT_EQ(parseRfc822Date(QStringLiteral("Mon, 07 Dec 2026 09:05 +0900")), utc.addSecs(-3));
    for (const char* unreadable :
         {"2026年12月7日", "Mon, 07 Foo 2026 09:05:03 +0900", "31 Feb 2026 09:05:03 GMT",
          "07 Dec 2026 09:05:03 XYZ", "2026-12-07", "2026-12-07T09:05:03", ""})
        EXPECT_EQ(shownArticleDate(QString::fromUtf8(unreadable)), QString::fromUtf8(unreadable))
            << unreadable;
}

TEST_F(Parsing, AStandInDateNeverReplacesADateElement) {
    const QByteArray rss = R"(<rss xmlns:dc="http://purl.org/dc/elements/1.1/"><channel>
  <item><title>a</title><link>l</link><date>written</date><pubDate>07 Dec 2026 00:05:03 GMT</pubDate></item>
  <item><title>b</title><link>l</link><dc:date>not a date</dc:date></item>
</channel></rss>)";
    ASSERT_EQ(ParseXmlFeed(feed("d.xml", rss), list, context()), 0);
    EXPECT_EQ(cell(1, 7), QStringLiteral("written"));
    EXPECT_EQ(cell(2, 7), QStringLiteral("not a date"));
}

TEST_F(Parsing, OlderRssVersionsReadTheSameWay) {
    const QByteArray rss091 = R"(<?xml version="1.0" encoding="ISO-8859-1"?>
<!DOCTYPE rss PUBLIC "-//Netscape Communications//DTD RSS 0.91//EN" "http://my.netscape.com/publish/formats/rss-0.91.dtd">
<rss version="0.91"><channel><title>Old</title>
<item><title>Caf)"
                              "\xE9"
                              R"(</title><link>http://old.example/1</link></item>
</channel></rss>)";
    ASSERT_EQ(ParseXmlFeed(feed("old.xml", rss091), list, context()), 0);
    ASSERT_EQ(list.count(), 1);
    EXPECT_EQ(cell(1, 1), QStringLiteral("Café"));
}

TEST_F(Parsing, RdfItemsAreAllListedWithTheirOwnFields) {
    history.addIfNew(QStringLiteral("http://example.jp/b")); // read without a title
    ASSERT_EQ(ParseXml2Feed(feed("b.xml", Rss10), list, context()), 0);
    ASSERT_EQ(list.count(), 2);
    EXPECT_EQ(cell(1, 1), QStringLiteral("記事A"));
    EXPECT_EQ(cell(1, 5), QStringLiteral("説明A"));
    EXPECT_EQ(cell(1, 6), QStringLiteral("山田"));
    EXPECT_EQ(cell(1, 7), QStringLiteral("2026-12-07T09:00:00+09:00"));
    // An item without title is listed; its description does not carry over.
    EXPECT_EQ(cell(2, 1), QString());
    EXPECT_EQ(cell(2, 4), QStringLiteral("http://example.jp/b"));
    EXPECT_EQ(cell(2, 5), QString());
    EXPECT_EQ(cell(2, 0), QStringLiteral("2"));
    EXPECT_TRUE(list.cellBold(1, 1));
    EXPECT_FALSE(list.cellBold(2, 1));
}

TEST_F(Parsing, ConfiguredNamesJoinTheStandardOnesAndTheLastChildWins) {
    overrides.xTitle = QStringLiteral("headline");
    ASSERT_EQ(ParseXml2Feed(feed("b.xml", Rss10), list, context()), 0);
    EXPECT_EQ(cell(1, 1), QStringLiteral("見出しA")); // comes after <title>

    // A configured name equal to an earlier field's name goes to that field.
    overrides = {};
    overrides.xDate = QStringLiteral("title");
    ASSERT_EQ(ParseXml2Feed(feed("b.xml", Rss10), list, context()), 0);
    EXPECT_EQ(cell(1, 1), QStringLiteral("記事A"));
    EXPECT_EQ(cell(1, 7), QStringLiteral("2026-12-07T09:00:00+09:00"));
}

TEST_F(Parsing, EachKindFindsNothingInTheOthersLayout) {
    EXPECT_EQ(ParseXmlFeed(feed("b.xml", Rss10), list, context()), 0);
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(ParseXml2Feed(feed("a.xml", Rss20), list, context()), 0);
    EXPECT_EQ(list.count(), 0);
    // No rows, no news log.
    EXPECT_FALSE(QFile::exists(dir.path() + QStringLiteral("/テスト.log")));
}

TEST_F(Parsing, DocumentsThatCannotLoadFailAndLeaveTheList) {
    ASSERT_EQ(ParseXmlFeed(feed("a.xml", Rss20), list, context()), 0);
    QFile::remove(dir.path() + QStringLiteral("/テスト.log"));
    const QByteArray broken[] = {
        "<rss><channel><item><title>x</title></channel></rss>", // not well-formed
        Rss20.left(Rss20.size() / 2),                           // cut short
        "",
        R"(<?xml version="1.0"?><!DOCTYPE r [<!ENTITY a "aaaaaaaaaa"><!ENTITY b "&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;">
<!ENTITY c "&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;"><!ENTITY d "&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;">
<!ENTITY e "&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;"><!ENTITY f "&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;">
<!ENTITY g "&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;"><!ENTITY h "&g;&g;&g;&g;&g;&g;&g;&g;&g;&g;">
<!ENTITY i "&h;&h;&h;&h;&h;&h;&h;&h;&h;&h;">]><r><channel><item><title>&i;</title><link>l</link></item></channel></r>)",
    };
    for (const QByteArray& bytes : broken) {
        const QString path = feed("broken.xml", bytes);
        EXPECT_EQ(ParseXmlFeed(path, list, context()), -1);
        EXPECT_EQ(ParseXml2Feed(path, list, context()), -1);
        EXPECT_EQ(list.count(), 2) << bytes.left(40).toStdString();
    }
    EXPECT_EQ(ParseXml2Feed(dir.path() + QStringLiteral("/missing.xml"), list, context()), -1);
    EXPECT_EQ(list.count(), 2);
    EXPECT_FALSE(QFile::exists(dir.path() + QStringLiteral("/テスト.log")));
}

TEST_F(Parsing, JapaneseEncodingsDecodeTheirExtensionCharacters) {
    const QString title = QStringLiteral("①会議～Ⅲ");
    QByteArray sjis =
        "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<rss><channel><item><title>" +
        platform::text::encodeCp932(title) +
        "</title><link>http://sjis.example/</link></item></channel></rss>";
    ASSERT_EQ(ParseXmlFeed(feed("sjis.xml", "  \r\n" + sjis), list, context()), 0);
    ASSERT_EQ(list.count(), 1);
    EXPECT_EQ(cell(1, 1), title);
    // The news log keeps the title in code page 932.
    EXPECT_EQ(readBytes(dir.path() + QStringLiteral("/テスト.log")),
              "\"" + platform::text::encodeCp932(title) + "\"\r\n");
}

TEST_F(Parsing, NewsLogIsSkippedOrNamedAfterTheFeed) {
    FeedParseContext unnamed = context();
    unnamed.feedName.clear();
    ASSERT_EQ(ParseXmlFeed(feed("a.xml", Rss20), list, unnamed), 0);
    EXPECT_EQ(QDir(dir.path()).entryList({QStringLiteral("*.log")}), QStringList());

    // A name that is no file name gets its log under the full-width form.
    FeedParseContext escaping = context();
    escaping.feedName = QStringLiteral("../outside");
    EXPECT_EQ(ParseXmlFeed(feed("a.xml", Rss20), list, escaping), 0);
    EXPECT_FALSE(QFile::exists(dir.path() + QStringLiteral("/../outside.log")));
    EXPECT_TRUE(QFile::exists(dir.path() + QStringLiteral("/..／outside.log")));

    FeedParseContext unwritable = context();
    unwritable.logFolder = dir.path() + QStringLiteral("/no/such/");
    EXPECT_EQ(ParseXml2Feed(feed("b.xml", Rss10), list, unwritable), -1);
}

TEST_F(Parsing, TheListHoldsAtMost32767Rows) {
    auto feedOf = [](int items) {
        QByteArray bytes = "<rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">";
        for (int i = 0; i < items; ++i)
            bytes += "<item><title>t" + QByteArray::number(i) + "</title></item>";
        return bytes + "</rdf:RDF>";
    };
    EXPECT_EQ(ParseXml2Feed(feed("full.xml", feedOf(32767)), list, context()), 0);
    EXPECT_EQ(list.count(), 32767);
    EXPECT_EQ(cell(32767, 0), QStringLiteral("32767"));
    EXPECT_EQ(ParseXml2Feed(feed("over.xml", feedOf(32768)), list, context()), -1);
    EXPECT_EQ(list.count(), 32767);
}
