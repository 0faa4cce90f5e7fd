#include "reader/present/NewsPage.h"

#include "platform/controls/ListViewModel.h"
#include "platform/runtime/Conversions.h"
#include "platform/runtime/EventLoop.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/text/Codepage.h"
#include "platform/text/LineFile.h"

#include <QDateTime>

#include <algorithm>

namespace quillet {

namespace {

const QString CRLF = QStringLiteral("\r\n");

// A page longer than this (a huge body template repeated for every article)
// is not made: the browser could not show it and building it would take
// gigabytes. Feeds of the download limit make pages far below it.
constexpr qsizetype kMaxPageCharacters = qsizetype(128) << 20;

// A template's text: every line read is preceded by CR LF.
QString templateText(const QString& path) {
    QString text;
    for (const QString& line : platform::text::readLines(path))
        text += CRLF + line;
    return text;
}

void fillFrame(QString& text, const QString& feedName, int rows,
               platform::CurrentDateTimeText& clock) {
    text.replace(QStringLiteral("&&DATE&&"), clock.now());
    text.replace(QStringLiteral("&&REFER&&"), feedName);
    text.replace(QStringLiteral("&&NUMBER&&"), QString::number(rows));
}

// The page goes out in the encoding of the skin's header file: UTF-8 with a
// byte-order mark when the header has one, else code page 932 with a
// character it cannot hold written as a numeric character reference.
QByteArray pageBytes(const QString& page, bool utf8) {
    if (utf8)
        return QByteArray("\xEF\xBB\xBF") + page.toUtf8();
    return platform::text::encodeCp932WithReferences(page);
}

} // namespace

std::int32_t CreateNewsPage(const QString& headerPath, const QString& bodyPath,
                            const QString& footerPath, const QString& outputPath,
                            const platform::controls::ListViewModel& list,
                            const QString& currentFeedName) {
    try {
        const int rows = list.count();
        if (rows == 0)
            return 0;
        platform::CurrentDateTimeText clock;
        platform::yieldOnce();
        const bool utf8Header =
            platform::text::readFileBytes(headerPath).startsWith("\xEF\xBB\xBF");
        QString header = templateText(headerPath);
        fillFrame(header, currentFeedName, rows, clock);
        platform::yieldOnce();
        const QString body = templateText(bodyPath);

        QString page = header + CRLF;
        // Room for the usual page at once; a page past that grows as it needs.
        page.reserve(std::min(qsizetype(16) << 20,
                              page.size() + qsizetype(rows) * (body.size() + 256) + 4096));
        for (int row = 1; row <= rows; ++row) {
            // Each replacement runs over the text the one before left, in this order.
            QString block = body;
            block.replace(QStringLiteral("&&NEWS_NUMBER&&"), QString::number(row));
            block.replace(QStringLiteral("&&TITLE&&"), list.itemText(row, 1));
            block.replace(QStringLiteral("&&HTTP_REF&&"), list.itemText(row, 4));
            block.replace(QStringLiteral("&&DESCRIPTION&&"), list.itemText(row, 5));
            block.replace(QStringLiteral("&&DATE&&"), clock.now());
            block.replace(QStringLiteral("&&REFER&&"), currentFeedName);
            if (page.size() + block.size() > kMaxPageCharacters)
                return -1;
            page += block;
        }

        QString footer = templateText(footerPath);
        fillFrame(footer, currentFeedName, rows, clock);
        page += CRLF + footer + CRLF;
        // The page is made again for every feed opened: no need to wait for the disk.
        platform::text::replaceFileAtomic(outputPath, pageBytes(page, utf8Header), false);
        return 0;
    } catch (const platform::RuntimeError&) {
        return -1;
    }
}

} // namespace quillet
