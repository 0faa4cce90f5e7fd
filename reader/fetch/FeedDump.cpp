#include "reader/fetch/FeedDump.h"

#include "platform/controls/ListViewModel.h"

namespace quillet {

namespace {

QString flattened(QString value) {
    for (QChar& c : value) {
        if (c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            c = QLatin1Char(' ');
    }
    return value;
}

} // namespace

QStringList dumpArticleRows(const platform::controls::ListViewModel& list) {
    // Row number, title, link, description, creator, date.
    static constexpr int columns[] = {0, 1, 4, 5, 6, 7};
    QStringList lines;
    for (int row = 1; row <= list.count(); ++row) {
        QStringList fields;
        for (int column : columns)
            fields << flattened(list.itemText(row, column));
        lines << fields.join(QLatin1Char('\t'));
    }
    return lines;
}

} // namespace quillet
