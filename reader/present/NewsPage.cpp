#include "reader/present/NewsPage.h"

#include "platform/controls/ListViewModel.h"
#include "platform/runtime/Conversions.h"
#include "platform/runtime/EventLoop.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/text/Codepage.h"
#include "platform/text/LineFile.h"

#include <QDateTime>

namespace quillet {

namespace {

const QString CRLF = QStringLiteral("\r\n");

// A template's text: every line read is preceded by CR LF.
QString templateText(const QString& path) {
    QString text;
    for (const QString& line : platform::text::readLines(path))
        text += CRLF + line;
    return text;
}

QString now() {
    return platform::dateTimeText(QDateTime::currentDateTime());
}

void fillFrame(QString& text, const QString& feedName, int rows) {
    text.replace(QStringLiteral("&&DATE&&"), now());
    text.replace(QStringLiteral("&&REFER&&"), feedName);
    text.replace(QStringLiteral("&&NUMBER&&"), QString::number(rows));
}

// The page goes out in code page 932; a character it cannot hold is written as a
// numeric character reference, which the browser shows as the character.
QByteArray pageBytes(const QString& page) {
    bool representable = true;
    QByteArray bytes = platform::text::encodeCp932(page, &representable);
    if (representable)
        return bytes;
    bytes.clear();
    QString run;
    const auto flush = [&] {
        bytes += platform::text::encodeCp932(run);
        run.clear();
    };
    for (qsizetype i = 0; i < page.size(); ++i) {
        const char32_t code =
            page[i].isHighSurrogate() && i + 1 < page.size() && page[i + 1].isLowSurrogate()
                ? QChar::surrogateToUcs4(page[i], page[i + 1])
                : page[i].unicode();
        const QString character = code > 0xFFFF ? page.mid(i, 2) : page.mid(i, 1);
        bool fits = true;
        platform::text::encodeCp932(character, &fits);
        if (fits) {
            run += character;
        } else {
            flush();
            bytes += "&#" + QByteArray::number(static_cast<unsigned>(code)) + ';';
        }
        i += character.size() - 1;
    }
    flush();
    return bytes;
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
        platform::yieldOnce();
        QString header = templateText(headerPath);
        fillFrame(header, currentFeedName, rows);
        platform::yieldOnce();
        const QString body = templateText(bodyPath);

        QString blocks;
        for (int row = 1; row <= rows; ++row) {
            // Each replacement runs over the text the one before left, in this order.
            QString block = body;
            block.replace(QStringLiteral("&&NEWS_NUMBER&&"), QString::number(row));
            block.replace(QStringLiteral("&&TITLE&&"), list.itemText(row, 1));
            block.replace(QStringLiteral("&&HTTP_REF&&"), list.itemText(row, 4));
            block.replace(QStringLiteral("&&DESCRIPTION&&"), list.itemText(row, 5));
            block.replace(QStringLiteral("&&DATE&&"), now());
            block.replace(QStringLiteral("&&REFER&&"), currentFeedName);
            blocks += block;
        }

        QString footer = templateText(footerPath);
        fillFrame(footer, currentFeedName, rows);
        platform::text::replaceFileAtomic(outputPath,
                                          pageBytes(header + CRLF + blocks + CRLF + footer + CRLF));
        return 0;
    } catch (const platform::RuntimeError&) {
        return -1;
    }
}

} // namespace quillet
