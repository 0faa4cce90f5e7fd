#pragma once
// Dates of RSS 2.0 items: pubDate in the RFC 822 form ("Mon, 07 Dec 2026
// 09:05:03 +0900", any zone) and dc:date in the W3C form
// ("2026-12-07T09:05:03+09:00"), shown in the list's date and time format in
// local time.
#include <QDateTime>
#include <QString>

namespace quillet {

// The moment written in RFC 822 form; invalid when the text is no such date.
QDateTime parseRfc822Date(const QString& text);
// The moment written in W3C date-time form with its zone; invalid otherwise.
QDateTime parseW3cDateTime(const QString& text);

// The date as the list shows it: a date that can be read in local time in the
// list's format, any other text as written.
QString shownArticleDate(const QString& written);

} // namespace quillet
