#pragma once
// One text line per article row, for checking what a parser makes of a feed:
// row number, title, link, description, creator and date, separated by tabs,
// with tabs and line breaks inside values shown as blanks.
#include <QString>
#include <QStringList>

namespace platform::controls {
class ListViewModel;
}

namespace quillet {

QStringList dumpArticleRows(const platform::controls::ListViewModel& list);

} // namespace quillet
