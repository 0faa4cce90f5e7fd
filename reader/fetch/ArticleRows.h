#pragma once
// Adds article rows to the article list: the row number, the article's fields,
// the feed name and the time the row was made, in bold and the desktop colour
// while the title is unread.
#include "platform/runtime/Conversions.h"
#include <QString>
#include <QStringList>
#include <cstdint>

namespace platform::controls {
class ListViewModel;
}

namespace quillet {

class NewsHistory;
struct ArticleFilter;

struct Article {
    QString title;
    QString link;
    QString description;
    QString creator;
    QString date;
};

class ArticleRows {
public:
    ArticleRows(platform::controls::ListViewModel& list, const NewsHistory* readTitles,
                QString feedName);

    // Articles the filter hides are left out; null lists every article.
    void setFilter(const ArticleFilter* filter) { filter_ = filter; }
    // Adds the next row unless the filter hides it; raises 6 past 32,767 rows.
    void add(const Article& article) { add(article, feedName_); }
    void add(const Article& article, const QString& feedName);
    int added() const { return number_; }
    const QStringList& titles() const { return titles_; }

private:
    bool isRead(const QString& title) const;

    platform::controls::ListViewModel& list_;
    const NewsHistory* readTitles_;
    const ArticleFilter* filter_ = nullptr;
    QString feedName_;
    std::int16_t number_ = 0;
    QStringList titles_;
    platform::CurrentDateTimeText clock_;
};

// The rows shown unread (in bold).
int unreadRowCount(const platform::controls::ListViewModel& list);

// True when the title, without blanks at its ends, is a read title; for an
// article without a title, when its link is held.
bool isReadArticle(const NewsHistory* readTitles, const QString& title, const QString& link);

} // namespace quillet
