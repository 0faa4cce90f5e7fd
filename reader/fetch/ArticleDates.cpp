#include "reader/fetch/ArticleDates.h"

#include "platform/runtime/Conversions.h"

#include <QRegularExpression>
#include <QTimeZone>

namespace quillet {

namespace {

// Zone names RFC 822 allows, and the Japanese one that feeds here use as well.
int namedZoneOffsetHours(const QString& zone, bool& known) {
    static const struct {
        const char* name;
        int hours;
    } zones[] = {{"UT", 0},   {"UTC", 0},  {"GMT", 0},  {"Z", 0},    {"EST", -5},
                 {"EDT", -4}, {"CST", -6}, {"CDT", -5}, {"MST", -7}, {"MDT", -6},
                 {"PST", -8}, {"PDT", -7}, {"JST", 9}};
    for (const auto& named : zones) {
        if (zone.compare(QLatin1String(named.name), Qt::CaseInsensitive) == 0) {
            known = true;
            return named.hours;
        }
    }
    known = false;
    return 0;
}

QDateTime atOffset(const QDate& date, const QTime& time, int offsetSeconds) {
    if (!date.isValid() || !time.isValid() || offsetSeconds < -14 * 3600 ||
        offsetSeconds > 14 * 3600)
        return {};
    return QDateTime(date, time, QTimeZone(offsetSeconds));
}

} // namespace

QDateTime parseRfc822Date(const QString& text) {
    static const QRegularExpression form(QStringLiteral(
        R"(^\s*(?:[A-Za-z]{3},?\s*)?(\d{1,2})\s+([A-Za-z]{3})[a-z]*\s+(\d{2}|\d{4})\s+)"
        R"((\d{1,2}):(\d{2})(?::(\d{2}))?\s*([+-]\d{4}|[A-Za-z]+)\s*$)"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        return {};
    static const QStringList months{"jan", "feb", "mar", "apr", "may", "jun",
                                    "jul", "aug", "sep", "oct", "nov", "dec"};
    const int month = static_cast<int>(months.indexOf(m.captured(2).toLower())) + 1;
    int year = m.captured(3).toInt();
    if (m.captured(3).size() == 2)
        year += year < 50 ? 2000 : 1900;
    const QDate date(year, month, m.captured(1).toInt());
    const QTime time(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt());

    const QString zone = m.captured(7);
    int offset = 0;
    if (zone.startsWith(QLatin1Char('+')) || zone.startsWith(QLatin1Char('-'))) {
        const int hours = zone.mid(1, 2).toInt();
        const int minutes = zone.mid(3, 2).toInt();
        if (minutes > 59)
            return {};
        offset = (hours * 3600 + minutes * 60) * (zone.startsWith(QLatin1Char('-')) ? -1 : 1);
    } else {
        bool known = false;
        offset = namedZoneOffsetHours(zone, known) * 3600;
        if (!known)
            return {};
    }
    return atOffset(date, time, offset);
}

QDateTime parseW3cDateTime(const QString& text) {
    static const QRegularExpression form(
        QStringLiteral(R"(^\s*(\d{4})-(\d{2})-(\d{2})T(\d{2}):(\d{2})(?::(\d{2})(?:\.\d+)?)?)"
                       R"((Z|[+-]\d{2}:\d{2})\s*$)"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        return {};
    const QDate date(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    const QTime time(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt());
    const QString zone = m.captured(7);
    int offset = 0;
    if (zone != QLatin1String("Z")) {
        const int hours = zone.mid(1, 2).toInt();
        const int minutes = zone.mid(4, 2).toInt();
        if (minutes > 59)
            return {};
        offset = (hours * 3600 + minutes * 60) * (zone.startsWith(QLatin1Char('-')) ? -1 : 1);
    }
    return atOffset(date, time, offset);
}

QString shownArticleDate(const QString& written) {
    QDateTime when = parseRfc822Date(written);
    if (!when.isValid())
        when = parseW3cDateTime(written);
    if (!when.isValid())
        return written;
    return platform::dateTimeText(when.toLocalTime());
}

} // namespace quillet
