#include "platform/xml/XmlDocument.h"

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

#include "support/TempFiles.h"

using platform::xml::XmlDocument;
using platform::xml::XmlElement;
using testing_support::writeBytes;

namespace {

// Documents are written to a file and loaded from there, as the reader does.
bool loadDocument(XmlDocument& document, const QByteArray& bytes) {
    const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("feed.xml"));
    writeBytes(path, bytes);
    return document.load(path);
}

QStringList childNames(const XmlElement& parent) {
    QStringList names;
    for (XmlElement child = parent.firstChild(); !child.isNull(); child = child.nextSibling())
        names << child.name();
    return names;
}

XmlElement child(const XmlElement& parent, const char* name) {
    for (XmlElement c = parent.firstChild(); !c.isNull(); c = c.nextSibling()) {
        if (c.nameIs(name))
            return c;
    }
    return {};
}

QString str(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// Characters of Japanese feeds that plain Shift_JIS and EUC-JP lack (① and Ⅲ
// of the vendor rows, and the full-width tilde of code page 932's 0x8160).
const QString japanese = str("①～Ⅲ日本");

} // namespace

TEST(XmlDocumentFeeds, Rss20WithNamespacesAndCdata) {
    const char rss[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<rss version="2.0" xmlns:dc="http://purl.org/dc/elements/1.1/"
     xmlns:content="http://purl.org/rss/1.0/modules/content/">
  <channel>
    <title>技術ノート</title>
    <!-- the items follow -->
    <item>
      <title>最初の記事 &amp; 続き</title>
      <description><![CDATA[<p>概要</p>]]></description>
      <dc:date>2024-05-01T09:00:00+09:00</dc:date>
      <content:encoded><![CDATA[<p>本文 ①</p>]]></content:encoded>
    </item>
    <item><title>二番目</title></item>
  </channel>
</rss>)";
    XmlDocument document;
    ASSERT_TRUE(loadDocument(document, rss)) << document.parseError().toStdString();
    EXPECT_TRUE(document.parseError().isEmpty());
    const XmlElement root = document.documentElement();
    EXPECT_EQ(root.name(), "rss");
    const XmlElement channel = root.firstChild();
    EXPECT_EQ(childNames(channel), (QStringList{"title", "item", "item"}));
    const XmlElement item = child(channel, "item");
    EXPECT_EQ(childNames(item),
              (QStringList{"title", "description", "dc:date", "content:encoded"}));
    EXPECT_EQ(child(item, "title").text(), str("最初の記事 & 続き"));
    EXPECT_EQ(child(item, "description").text(), str("<p>概要</p>"));
    EXPECT_EQ(child(item, "content:encoded").text(), str("<p>本文 ①</p>"));
    EXPECT_EQ(item.nextSibling().firstChild().text(), str("二番目"));

    // Qualified names compare whole, prefix, colon and local name.
    const XmlElement date = child(item, "dc:date");
    ASSERT_FALSE(date.isNull());
    for (const char* other : {"date", "dc", "dc:", "dc:dat", "dc:datex", "dcdate", ":date", ""})
        EXPECT_FALSE(date.nameIs(other)) << other;
    EXPECT_FALSE(child(item, "title").nameIs(QByteArray("title\0", 6)));
}

TEST(XmlDocumentFeeds, OlderRssAndRss10) {
    // The DTD of old feeds is never fetched; this address does not even answer.
    const char rss091[] = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
                          "<!DOCTYPE rss PUBLIC \"-//Example//DTD RSS 0.91//EN\" "
                          "\"http://127.0.0.1:9/rss-0.91.dtd\">\n"
                          "<rss version=\"0.91\"><channel><title>Caf\xE9</title>"
                          "<item><title>One</title></item></channel></rss>";
    const char rss092[] = "<rss version=\"0.92\"><channel><item><description>"
                          "&lt;b&gt;</description></item></channel></rss>";
    const char rdf[] = R"(<rdf:RDF xmlns:rdf="http://www.w3.org/1999/02/22-rdf-syntax-ns#"
         xmlns="http://purl.org/rss/1.0/" xmlns:dc="http://purl.org/dc/elements/1.1/">
  <channel rdf:about="http://example.jp/"><title>日記</title></channel>
  <item rdf:about="http://example.jp/1"><title>一</title><dc:creator>山田</dc:creator></item>
  <item rdf:about="http://example.jp/2"><title>二</title></item>
</rdf:RDF>)";

    XmlDocument document;
    ASSERT_TRUE(loadDocument(document, rss091)) << document.parseError().toStdString();
    EXPECT_EQ(childNames(document.documentElement().firstChild()), (QStringList{"title", "item"}));
    EXPECT_EQ(document.documentElement().firstChild().firstChild().text(), str("Café"));

    ASSERT_TRUE(loadDocument(document, rss092)) << document.parseError().toStdString();
    EXPECT_EQ(document.documentElement().firstChild().firstChild().firstChild().text(), "<b>");

    ASSERT_TRUE(loadDocument(document, rdf)) << document.parseError().toStdString();
    const XmlElement root = document.documentElement();
    EXPECT_EQ(root.name(), "rdf:RDF");
    EXPECT_TRUE(root.nameIs("rdf:RDF"));
    EXPECT_EQ(childNames(root), (QStringList{"channel", "item", "item"}));
    EXPECT_EQ(child(root.firstChild().nextSibling(), "dc:creator").text(), str("山田"));
}

TEST(XmlDocumentFeeds, NamesAreAsWrittenWhateverThePrefixIsBoundTo) {
    // Sloppy feeds use dc: undeclared; others bind its namespace to another prefix.
    const char doc[] = "<item xmlns:d=\"http://purl.org/dc/elements/1.1/\">"
                       "<dc:date>undeclared</dc:date><d:date>other</d:date></item>";
    XmlDocument document;
    ASSERT_TRUE(loadDocument(document, doc)) << document.parseError().toStdString();
    const XmlElement first = document.documentElement().firstChild();
    EXPECT_EQ(first.name(), "dc:date");
    EXPECT_TRUE(first.nameIs("dc:date"));
    EXPECT_EQ(first.nextSibling().name(), "d:date");
    EXPECT_FALSE(first.nextSibling().nameIs("dc:date"));
}

TEST(XmlDocumentText, JoinsDescendantTextAndCdataTrimmed) {
    const char doc[] =
        "<!DOCTYPE r [<!ENTITY site \"技術\"><!ENTITY tagged \"<b>&site;</b>です\">]>"
        "<r><mixed>\n  前 <b>太字<i>斜</i></b><!-- 註 --><![CDATA[ <i>生</i> ]]>"
        "<?note skipped?> 後\xE3\x80\x80\r\n\t</mixed>"
        "<refs>&lt;&#x2460;&amp;[&tagged;]</refs>"
        "<blank> \n\t </blank>"
        "<inner> a <x>  </x> b </inner></r>";
    XmlDocument document;
    ASSERT_TRUE(loadDocument(document, doc)) << document.parseError().toStdString();
    const XmlElement root = document.documentElement();
    // Comments and processing instructions are not text; U+3000 is trimmed too.
    EXPECT_EQ(child(root, "mixed").text(), str("前 太字斜 <i>生</i>  後"));
    EXPECT_EQ(child(root, "refs").text(), str("<①&[技術です]"));
    EXPECT_EQ(childNames(child(root, "refs")), QStringList{"b"}); // entity markup is tree
    EXPECT_EQ(child(root, "blank").text(), QString());
    EXPECT_EQ(child(root, "inner").text(), "a    b"); // only the ends are trimmed
}

TEST(XmlDocumentChildren, OnlyElementsInDocumentOrder) {
    const char doc[] = "<r>text<!-- c --><a/><?pi data?><![CDATA[cd]]>&#65;<b><x/></b>\n"
                       "<!-- tail --><c>leaf</c> tail</r>";
    XmlDocument document;
    ASSERT_TRUE(loadDocument(document, doc)) << document.parseError().toStdString();
    const XmlElement root = document.documentElement();
    EXPECT_EQ(childNames(root), (QStringList{"a", "b", "c"}));
    EXPECT_FALSE(root.firstChild().hasChildElements());
    EXPECT_EQ(childNames(root.firstChild().nextSibling()), QStringList{"x"});
    EXPECT_FALSE(child(root, "c").hasChildElements()); // text alone is no child element
    EXPECT_TRUE(child(root, "c").nextSibling().isNull());

    const XmlElement none;
    EXPECT_EQ(none.name(), QString());
    EXPECT_EQ(none.text(), QString());
    EXPECT_FALSE(none.nameIs(""));
    EXPECT_TRUE(none.firstChild().isNull());
    EXPECT_TRUE(none.nextSibling().isNull());
    EXPECT_TRUE(XmlDocument().documentElement().isNull());
}

TEST(XmlDocumentEncodings, ShiftJisAndItsAliasesDecodeAsCodePage932) {
    const QByteArray body = QByteArray::fromHex("87408160875693fa967b");
    for (const char* label : {"Shift_JIS", "shift_jis", "SHIFT-JIS", "sjis", "x-sjis", "MS_Kanji",
                              "csShiftJIS", "Windows-31J", "cp932", "MS932"}) {
        const QByteArray doc = QByteArray("<?xml version=\"1.0\" encoding=\"") + label +
                               "\"?>\r\n<rss><title>" + body + "</title></rss>";
        XmlDocument document;
        ASSERT_TRUE(loadDocument(document, doc))
            << label << ": " << document.parseError().toStdString();
        EXPECT_EQ(document.documentElement().firstChild().text(), japanese) << label;
    }
    // Single quotes, white space around '=', another pseudo-attribute after it;
    // element names decode too.
    const QByteArray declaration = "<?xml version='1.0' encoding = 'shift_jis' standalone='yes'?>";
    XmlDocument document;
    ASSERT_TRUE(loadDocument(document, declaration + "<\x93\xfa>" + body + "</\x93\xfa>"))
        << document.parseError().toStdString();
    EXPECT_TRUE(document.documentElement().nameIs("日"));
    EXPECT_EQ(document.documentElement().text(), japanese);
}

TEST(XmlDocumentEncodings, EucJpDecodesTheVendorRows) {
    const QByteArray body = QByteArray::fromHex("ada1a1c1adb7c6fccbdc");
    for (const char* label : {"EUC-JP", "euc-jp", "eucjp", "x-euc-jp", "csEUCPkdFmtJapanese"}) {
        const QByteArray doc = QByteArray("<?xml version=\"1.0\" encoding=\"") + label +
                               "\"?><rss><title>" + body + "</title></rss>";
        XmlDocument document;
        ASSERT_TRUE(loadDocument(document, doc))
            << label << ": " << document.parseError().toStdString();
        EXPECT_EQ(document.documentElement().firstChild().text(), japanese) << label;
    }
    // A stray byte costs one character, not the feed.
    XmlDocument document;
    ASSERT_TRUE(loadDocument(document, "<?xml version=\"1.0\" encoding=\"EUC-JP\"?>"
                                       "<t>\xc6\xfc\xff\xcb\xdc</t>"));
    EXPECT_EQ(document.documentElement().text(), str("日\uFFFD本"));
}

TEST(XmlDocumentEncodings, Utf16WithMark) {
    const QString text = "<?xml version=\"1.0\" encoding=\"UTF-16\"?><t>" + japanese + "</t>";
    QByteArray utf16le("\xFF\xFE", 2);
    for (const QChar c : text)
        utf16le.append(static_cast<char>(c.unicode() & 0xFF))
            .append(static_cast<char>(c.unicode() >> 8));
    XmlDocument document;
    ASSERT_TRUE(loadDocument(document, utf16le)) << document.parseError().toStdString();
    EXPECT_EQ(document.documentElement().text(), japanese);
}

TEST(XmlDocumentEncodings, WhiteSpaceAndMarkBeforeTheDeclarationAreSkipped) {
    const QByteArray utf8 =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?><t>" + japanese.toUtf8() + "</t>";
    for (const char* lead : {"\r\n  \t", "\xEF\xBB\xBF", "\xEF\xBB\xBF\n\n", " \xEF\xBB\xBF"}) {
        XmlDocument document;
        ASSERT_TRUE(loadDocument(document, lead + utf8))
            << QByteArray(lead).toHex().toStdString() << ": "
            << document.parseError().toStdString();
        EXPECT_EQ(document.documentElement().text(), japanese);
    }
    // The declaration behind them still chooses the decoding, from memory too.
    XmlDocument document;
    ASSERT_TRUE(document.loadBytes("\xEF\xBB\xBF\r\n<?xml version=\"1.0\" encoding=\"cp932\"?>"
                                   "<t>\x87\x56</t>"))
        << document.parseError().toStdString();
    EXPECT_EQ(document.documentElement().text(), str("Ⅲ"));
}

// Text in each Japanese encoding, made by iconv here so that no test file can
// hold the wrong bytes.
QByteArray encoded(const char* utf8, const char* to) {
    QTemporaryDir dir;
    writeBytes(dir.filePath("in"), utf8);
    QProcess iconv;
    iconv.start("iconv", {"-f", "UTF-8", "-t", to, dir.filePath("in")});
    iconv.waitForFinished();
    return iconv.readAllStandardOutput();
}

TEST(XmlDocumentEncodings, BytesThatDoNotFitTheirNameAreReadInTheEncodingTheyFit) {
    const char* japanese = "今日のニュース、晴れのち雨";
    struct Case {
        const char* what;
        QByteArray declaration;
        const char* bytesIn;
        QByteArray charset; // what the server said
        QString named;      // the name overridden, empty when none was
        QString used;
    };
    const Case cases[] = {
        {"Shift_JIS declared EUC-JP",
         "<?xml version=\"1.0\" encoding=\"EUC-JP\"?>",
         "CP932",
         {},
         "EUC-JP",
         "Shift_JIS"},
        {"UTF-8 declared Shift_JIS",
         "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>",
         "UTF-8",
         {},
         "Shift_JIS",
         "UTF-8"},
        {"EUC-JP without a declaration", "", "EUC-JP", {}, "UTF-8", "EUC-JP"},
        {"ISO-2022-JP without a declaration", "", "ISO-2022-JP", {}, "UTF-8", "ISO-2022-JP"},
        {"Shift_JIS served as UTF-8, declared right",
         "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>",
         "CP932",
         "UTF-8",
         {},
         {}},
        {"EUC-JP served as EUC-JP, declared Shift_JIS",
         "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>",
         "EUC-JP",
         "euc-jp",
         {},
         {}},
        {"UTF-8 served as Shift_JIS", "", "UTF-8", "Shift_JIS", "Shift_JIS", "UTF-8"},
        {"UTF-8 served as UTF-8, declared Shift_JIS",
         "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>",
         "UTF-8",
         "utf-8",
         {},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QByteArray bytes = c.declaration + "<t>" + encoded(japanese, c.bytesIn) + "</t>";
        XmlDocument document;
        ASSERT_TRUE(document.loadBytes(bytes, c.charset)) << document.parseError().toStdString();
        EXPECT_EQ(document.documentElement().text(), str(japanese));
        EXPECT_EQ(document.namedEncoding(), c.named);
        EXPECT_EQ(document.usedEncoding(), c.used);
    }
    // A document whose declaration is right keeps it, with nothing to report.
    XmlDocument document;
    ASSERT_TRUE(document.loadBytes("<?xml version=\"1.0\" encoding=\"EUC-JP\"?><t>" +
                                   encoded(japanese, "EUC-JP") + "</t>"));
    EXPECT_EQ(document.documentElement().text(), str(japanese));
    EXPECT_TRUE(document.namedEncoding().isEmpty());
}

// A long file that looks like UTF-8 is handed to the parser piece by piece;
// bytes past the first piece that are not UTF-8 still send it to the encoding
// they fit, and a fault far into it is still reported where it is.
TEST(XmlDocumentEncodings, LongFilesDecodeAsShortOnesDo) {
    const char* japanese = "今日のニュース、晴れのち雨";
    struct Case {
        const char* what;
        QByteArray declaration;
        const char* bytesIn;
        QByteArray charset;
        QString named;
        QString used;
    };
    const Case cases[] = {
        {"UTF-8 declared", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>", "UTF-8", {}, {}, {}},
        {"UTF-8 served, not declared", "\n", "UTF-8", "utf-8", {}, {}},
        {"Shift_JIS declared UTF-8",
         "<?xml version=\"1.0\" encoding=\"UTF-8\"?>",
         "CP932",
         {},
         "UTF-8",
         "Shift_JIS"},
        {"EUC-JP without a declaration", "", "EUC-JP", {}, "UTF-8", "EUC-JP"},
    };
    const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("long.xml"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // Japanese text throughout, so that pieces end inside characters.
        QString text;
        while (text.size() < 60000)
            text += str(japanese);
        const QByteArray bytes = c.declaration + "<rss><a>" +
                                 encoded(text.toUtf8().constData(), c.bytesIn) + "</a><t>" +
                                 encoded(japanese, c.bytesIn) + "</t></rss>";
        writeBytes(path, bytes);
        XmlDocument document;
        ASSERT_TRUE(document.load(path, c.charset)) << document.parseError().toStdString();
        const XmlElement a = document.documentElement().firstChild();
        EXPECT_EQ(a.text(), text);
        EXPECT_EQ(a.nextSibling().text(), str(japanese));
        EXPECT_EQ(document.namedEncoding(), c.named);
        EXPECT_EQ(document.usedEncoding(), c.used);
    }
    QByteArray broken = "<rss>";
    for (int line = 0; line < 5000; ++line)
        broken += "<item>日本</item>\n";
    writeBytes(path, broken + "<t>x</rss>");
    XmlDocument document;
    EXPECT_FALSE(document.load(path));
    EXPECT_TRUE(document.parseError().contains(QLatin1String("line 5001")))
        << document.parseError().toStdString();
}

TEST(XmlDocumentFailures, BrokenDocumentsFailWithAReasonAndPrintNothing) {
    struct Case {
        const char* what;
        QByteArray bytes;
        const char* reasonHas;
    };
    const Case cases[] = {
        {"mismatched tags", "<rss>\n<channel>\n<title>x</channel></rss>", "line 3"},
        {"truncated", "<rss><channel><item><title>cut he", "line 1"},
        {"two roots", "<a/><b/>", "line 1"},
        {"undefined entity", "<a>&nbsp;</a>", "nbsp"},
        {"empty", "", ""},
        {"white space only", " \r\n\t", ""},
        {"undecodable byte", "<?xml version=\"1.0\" encoding=\"windows-1252\"?><a>\x81\x90</a>",
         ""},
        {"unknown encoding", "<?xml version=\"1.0\" encoding=\"x-unheard-of\"?><a/>",
         "x-unheard-of"},
    };
    for (const Case& c : cases) {
        XmlDocument document;
        ASSERT_TRUE(loadDocument(document, "<ok/>"));
        testing::internal::CaptureStderr();
        EXPECT_FALSE(loadDocument(document, c.bytes)) << c.what;
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << c.what;
        EXPECT_FALSE(document.isLoaded()) << c.what;
        EXPECT_TRUE(document.documentElement().isNull()) << c.what;
        EXPECT_FALSE(document.parseError().isEmpty()) << c.what;
        EXPECT_TRUE(document.parseError().contains(QLatin1String(c.reasonHas)))
            << c.what << ": " << document.parseError().toStdString();
    }
}

TEST(XmlDocumentFailures, MissingFile) {
    const QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("missing.xml"));
    XmlDocument document;
    ASSERT_TRUE(loadDocument(document, "<ok/>"));
    EXPECT_FALSE(document.load(missing));
    EXPECT_FALSE(document.isLoaded());
    EXPECT_TRUE(document.parseError().contains(missing));
    // A later good load clears the reason.
    ASSERT_TRUE(loadDocument(document, "<ok/>"));
    EXPECT_TRUE(document.parseError().isEmpty());
}

TEST(XmlDocumentSafety, ExpansionBombsFailTheLoad) {
    QByteArray laughs = "<!DOCTYPE lolz [<!ENTITY l0 \"lol\">\n";
    for (int i = 1; i <= 9; ++i)
        laughs += "<!ENTITY l" + QByteArray::number(i) + " \"" +
                  QByteArray("&l" + QByteArray::number(i - 1) + ";").repeated(10) + "\">\n";
    laughs += "]><lolz>&l9;</lolz>";
    // One large entity referenced many times grows as fast.
    const QByteArray quadratic = "<!DOCTYPE q [<!ENTITY big \"" + QByteArray(50000, 'x') +
                                 "\">]><q>" + QByteArray("&big;").repeated(20000) + "</q>";
    for (const QByteArray& bomb : {laughs, quadratic}) {
        XmlDocument document;
        testing::internal::CaptureStderr();
        EXPECT_FALSE(loadDocument(document, bomb));
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
        EXPECT_TRUE(document.parseError().contains(QLatin1String("entity"), Qt::CaseInsensitive))
            << document.parseError().toStdString();
    }
}

TEST(XmlDocumentSafety, NothingOutsideTheDocumentIsRead) {
    const QTemporaryDir dir;
    auto file = [&](const char* name, const QByteArray& content) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        writeBytes(path, content);
        return QUrl::fromLocalFile(path).toEncoded();
    };
    const QByteArray secret = file("secret.txt", "TOPSECRET");
    const QByteArray defs = file("defs.ent", "<!ENTITY leak \"TOPSECRET\">");
    const QByteArray dtd = file("feed.dtd", "<!ENTITY leak \"TOPSECRET\">");
    const QByteArray documents[] = {
        "<!DOCTYPE r [<!ENTITY s SYSTEM \"" + secret + "\">]><r><t>[&s;]</t></r>",
        "<!DOCTYPE r [<!ENTITY s SYSTEM \"" + QUrl::fromEncoded(secret).toLocalFile().toUtf8() +
            "\">]><r><t>[&s;]</t></r>",
        "<!DOCTYPE r [<!ENTITY s PUBLIC \"-//X//Y//EN\" \"" + secret + "\">]><r><t>[&s;]</t></r>",
        // Through an internal entity that names the external one.
        "<!DOCTYPE r [<!ENTITY s SYSTEM \"" + secret +
            "\"><!ENTITY w \"<b>&s;</b>\">]><r><t>[&w;]</t></r>",
        // A parameter entity that would bring in a declaration.
        "<!DOCTYPE r [<!ENTITY % p SYSTEM \"" + defs + "\"> %p;]><r><t>[&leak;]</t></r>",
        // The external subset.
        "<!DOCTYPE r SYSTEM \"" + dtd + "\"><r><t>[&leak;]</t></r>",
    };
    for (const QByteArray& doc : documents) {
        XmlDocument document;
        testing::internal::CaptureStderr();
        ASSERT_TRUE(loadDocument(document, doc)) << doc.toStdString();
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << doc.toStdString();
        EXPECT_EQ(document.documentElement().text(), "[]") << doc.toStdString();
    }
}
