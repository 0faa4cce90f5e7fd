#include "reader/fetch/ArticleSearch.h"
#include "platform/controls/ListViewModel.h"
#include "reader/mainwindow/MainWindowModel.h"
#include "reader/mainwindow/NewsHistory.h"

#include <gtest/gtest.h>

using namespace quillet;

TEST(ArticleSearch, KeepsOnlyMatchingRowsRenumberedWithTheirTitleFeedAndLink) {
    platform::controls::ListViewModel list;
    list.setColumnHeaders(articleColumnHeaders());
    const QStringList rows[] = {
        {"1", "東京の天気", "ニュースA", "t", "http://a/1", "晴れ", "記者", "d"},
        {"2", "大阪の話題", "ニュースB", "t", "http://b/2", "東京でも", "", ""},
        {"3", "  東京タワー ", "ニュースA", "t", "http://a/3", "", "", ""},
    };
    for (const QStringList& row : rows)
        list.addRow(row, false);
    NewsHistory history;
    history.addIfNew(QStringLiteral("東京タワー"));

    EXPECT_EQ(SearchArticles(list, QStringLiteral("京都"), 1, &history), 0);
    EXPECT_EQ(list.count(), 3);
    EXPECT_EQ(SearchArticles(list, QStringLiteral("東京"), 9, &history), -1);
    EXPECT_EQ(list.count(), 3);

    ASSERT_EQ(SearchArticles(list, QStringLiteral("東京"), 1, &history), 2);
    ASSERT_EQ(list.count(), 2);
    EXPECT_EQ(list.itemText(1, 0), QStringLiteral("1"));
    EXPECT_EQ(list.itemText(1, 1), QStringLiteral("東京の天気"));
    EXPECT_EQ(list.itemText(1, 2), QStringLiteral("ニュースA"));
    EXPECT_NE(list.itemText(1, 3), QStringLiteral("t")); // the time of the search
    EXPECT_EQ(list.itemText(1, 4), QStringLiteral("http://a/1"));
    EXPECT_EQ(list.itemText(1, 5), QString());
    EXPECT_EQ(list.itemText(1, 6), QString());
    EXPECT_EQ(list.itemText(2, 0), QStringLiteral("2"));
    EXPECT_EQ(list.itemText(2, 4), QStringLiteral("http://a/3"));
    EXPECT_TRUE(list.cellBold(1, 1));
    EXPECT_FALSE(list.cellBold(2, 1)); // read once its blanks are removed

    // Other columns are searched as asked; an empty list finds nothing.
    ASSERT_EQ(SearchArticles(list, QStringLiteral("ニュースA"), 2, &history), 2);
    list.clear();
    EXPECT_EQ(SearchArticles(list, QStringLiteral("x"), 1, &history), 0);
}
