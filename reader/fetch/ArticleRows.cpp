#include "reader/fetch/ArticleRows.h"

#include "platform/controls/ListViewModel.h"
#include "platform/gdi/SystemColors.h"
#include "platform/runtime/Conversions.h"
#include "platform/runtime/RuntimeError.h"
#include "reader/app/ArticleFilter.h"
#include "reader/mainwindow/NewsHistory.h"

#include <QDateTime>

namespace quillet {

bool isReadArticle(const NewsHistory* readTitles, const QString& title, const QString& link) {
    return readTitles != nullptr && readTitles->IsReadTitle(readingKey(title, link));
}

ArticleRows::ArticleRows(platform::controls::ListViewModel& list, const NewsHistory* readTitles,
                         QString feedName)
    : list_(list), readTitles_(readTitles), feedName_(std::move(feedName)) {}

void ArticleRows::add(const Article& article, const QString& feedName) {
    if (filter_ != nullptr && filter_->hides(article.title, article.description))
        return;
    if (number_ == 32767)
        platform::raiseError(platform::err::Overflow);
    ++number_;
    const bool unread = !isReadArticle(readTitles_, article.title, article.link);
    list_.addRow({QString::number(number_), article.title, feedName, clock_.now(), article.link,
                  article.description, article.creator, article.date},
                 unread,
                 unread ? platform::gdi::sysColor(platform::gdi::syscolor::Background) : QColor());
    titles_.append(article.title);
}

int unreadRowCount(const platform::controls::ListViewModel& list) {
    int unread = 0;
    for (int row = 1; row <= list.count(); ++row) {
        if (list.cellBold(row, 1))
            ++unread;
    }
    return unread;
}

} // namespace quillet
