#include "reader/fetch/ArticleSearch.h"

#include "platform/controls/ListViewModel.h"
#include "platform/runtime/RuntimeError.h"
#include "reader/fetch/ArticleRows.h"

#include <vector>

namespace quillet {

namespace {
constexpr int TitleColumn = 1;
constexpr int FeedColumn = 2;
constexpr int LinkColumn = 4;
} // namespace

std::int16_t SearchArticles(platform::controls::ListViewModel& list, const QString& word,
                            int column, const NewsHistory* readTitles) {
    try {
        if (list.count() == 0)
            return 0;
        if (column < 1 || column > 7)
            platform::raiseError(platform::err::InvalidCall);
        struct Match {
            QString title;
            QString feed;
            QString link;
        };
        std::vector<Match> matches;
        for (int row = 1; row <= list.count(); ++row) {
            if (list.itemText(row, column).contains(word))
                matches.push_back({list.itemText(row, TitleColumn), list.itemText(row, FeedColumn),
                                   list.itemText(row, LinkColumn)});
        }
        if (matches.empty())
            return 0;
        list.clear();
        // The rebuilt rows carry the title, feed and link; the rest stays empty.
        ArticleRows rows(list, readTitles, QString());
        for (const Match& match : matches)
            rows.add({match.title, match.link, {}, {}, {}}, match.feed);
        return static_cast<std::int16_t>(matches.size());
    } catch (const platform::RuntimeError&) {
        return -1;
    }
}

} // namespace quillet
