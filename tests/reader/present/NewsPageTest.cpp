#include "reader/present/NewsPage.h"
#include "platform/controls/ListViewModel.h"
#include "platform/text/Codepage.h"
#include "reader/mainwindow/MainWindowModel.h"
#include "support/TempFiles.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace quillet;
using testing_support::cp932Lines;
using testing_support::readBytes;
using testing_support::writeBytes;

namespace {

class Page : public ::testing::Test {
protected:
    Page() { list.setColumnHeaders(articleColumnHeaders()); }
    void templates(const QStringList& header, const QStringList& body, const QStringList& footer) {
        writeBytes(path("header.html"), cp932Lines(header));
        writeBytes(path("body.html"), cp932Lines(body));
        writeBytes(path("footer.html"), cp932Lines(footer));
    }
    void article(const QString& title, const QString& link, const QString& description) {
        list.addRow({QString::number(list.count() + 1), title, QStringLiteral("feed"),
                     QStringLiteral("t"), link, description, QString(), QString()},
                    false);
    }
    int create() {
        return CreateNewsPage(path("header.html"), path("body.html"), path("footer.html"),
                              path("gateway.html"), list, QStringLiteral("マイフィード"));
    }
    QString page() { return platform::text::decodeCp932(readBytes(path("gateway.html"))); }
    QString path(const char* name) const { return dir.path() + QLatin1Char('/') + name; }

    QTemporaryDir dir;
    platform::controls::ListViewModel list;
};

} // namespace

TEST_F(Page, LayoutIsHeaderBlocksFooterEachLinePrecededByCrLf) {
    templates({QStringLiteral("<h>&&REFER&& &&NUMBER&& &&TITLE&&</h>")},
              {QStringLiteral("<p>&&NEWS_NUMBER&& &&TITLE&& &&NUMBER&&</p>")},
              {QStringLiteral("<f>&&NUMBER&&</f>")});
    article(QStringLiteral("一"), QStringLiteral("http://1"), QString());
    article(QStringLiteral("二"), QStringLiteral("http://2"), QString());
    article(QStringLiteral("三"), QStringLiteral("http://3"), QString());
    ASSERT_EQ(create(), 0);
    EXPECT_EQ(page(), QStringLiteral("\r\n<h>マイフィード 3 &&TITLE&&</h>\r\n"
                                     "\r\n<p>1 一 &&NUMBER&&</p>"
                                     "\r\n<p>2 二 &&NUMBER&&</p>"
                                     "\r\n<p>3 三 &&NUMBER&&</p>\r\n"
                                     "\r\n<f>3</f>\r\n"));
}

TEST_F(Page, ValuesGoInUnescapedAndLaterPlaceholdersApplyToThem) {
    templates({QStringLiteral("<html>")},
              {QStringLiteral("<a href=\"&&HTTP_REF&&\">&&TITLE&&</a>&&DESCRIPTION&&"),
               QStringLiteral("<i>&&DATE&&</i>")},
              {QStringLiteral("</html>")});
    article(QStringLiteral("題&&DATE&&"), QStringLiteral("http://x/?a=1&b=2"),
            QStringLiteral("<b>太字</b>&&TITLE&& 😀"));
    ASSERT_EQ(create(), 0);
    const QString text = page();
    EXPECT_TRUE(text.contains(QStringLiteral("<a href=\"http://x/?a=1&b=2\">題")));
    EXPECT_FALSE(text.contains(QStringLiteral("題&&DATE&&"))); // the title's placeholder was filled
    EXPECT_TRUE(text.contains(QStringLiteral("<b>太字</b>&&TITLE&&"))); // the description's was not
    EXPECT_TRUE(text.contains(
        QRegularExpression(QStringLiteral("<i>\\d{4}/\\d\\d/\\d\\d \\d+:\\d\\d:\\d\\d</i>"))));
    // A character code page 932 lacks goes out as a character reference.
    EXPECT_TRUE(text.contains(QStringLiteral("&#128512;")));
}

TEST_F(Page, EmptyListsAndMissingTemplatesLeaveThePage) {
    templates({QStringLiteral("h")}, {QStringLiteral("b")}, {QStringLiteral("f")});
    writeBytes(path("gateway.html"), "earlier");
    EXPECT_EQ(create(), 0);
    EXPECT_EQ(readBytes(path("gateway.html")), QByteArray("earlier"));

    article(QStringLiteral("t"), QStringLiteral("l"), QString());
    QFile::remove(path("body.html"));
    EXPECT_EQ(create(), -1);
    EXPECT_EQ(readBytes(path("gateway.html")), QByteArray("earlier"));

    // A body template of 8 MB for 20 articles would make a page of gigabytes
    // in memory: it is refused and the earlier page stays.
    templates({QStringLiteral("h")}, {QString(8 << 20, QLatin1Char('b'))}, {QStringLiteral("f")});
    for (int i = 0; i < 20; ++i)
        article(QStringLiteral("t"), QStringLiteral("l"), QString());
    EXPECT_EQ(create(), -1);
    EXPECT_EQ(readBytes(path("gateway.html")), QByteArray("earlier"));
}
