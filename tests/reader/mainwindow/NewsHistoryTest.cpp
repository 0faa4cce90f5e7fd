#include "reader/mainwindow/NewsHistory.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

using quillet::NewsHistory;
using testing_support::cp932Lines;
using testing_support::readBytes;
using testing_support::writeBytes;

TEST(NewsHistory, HoldsEveryTitleOnceByWholeTitleAndNeverTheEmptyOne) {
    QTemporaryDir dir;
    const QString file = dir.path() + QStringLiteral("/History_News.lst");
    // A file written before titles were matched whole may hold an empty line.
    writeBytes(file,
               cp932Lines({QStringLiteral("ニュース"), QString(), QStringLiteral("今日のニュース"),
                           QStringLiteral("天気"), QStringLiteral("天気")}));
    NewsHistory history;
    ASSERT_TRUE(LoadNewsHistory(history, file));
    EXPECT_EQ(history.entries(),
              (QStringList{QStringLiteral("ニュース"), QStringLiteral("今日のニュース"),
                           QStringLiteral("天気")}));

    EXPECT_TRUE(history.IsReadTitle(QStringLiteral("今日のニュース")));
    EXPECT_FALSE(history.IsReadTitle(QStringLiteral("にゅーす")));
    EXPECT_FALSE(history.IsReadTitle(QString()));
    EXPECT_FALSE(history.addIfNew(QString()));
    EXPECT_FALSE(history.addIfNew(QStringLiteral("天気")));
    EXPECT_TRUE(history.addIfNew(QStringLiteral("明日の天気")));
    EXPECT_EQ(history.count(), 4);
}

TEST(NewsHistory, FilesMissingOrEmptyHistories) {
    QTemporaryDir dir;
    NewsHistory history;
    EXPECT_TRUE(LoadNewsHistory(history, dir.path() + QStringLiteral("/absent.lst")));
    EXPECT_TRUE(history.isEmpty());

    // An empty history leaves the file as it was.
    const QString file = dir.path() + QStringLiteral("/History_News.lst");
    writeBytes(file, "old\r\n");
    SaveNewsHistory(history, file);
    EXPECT_EQ(readBytes(file), QByteArray("old\r\n"));

    history.addIfNew(QStringLiteral("記事"));
    history.addIfNew(QStringLiteral("別"));
    SaveNewsHistory(history, file);
    EXPECT_EQ(readBytes(file), cp932Lines({QStringLiteral("記事"), QStringLiteral("別")}));
}
