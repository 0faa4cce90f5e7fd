#include "reader/mainwindow/NewsHistory.h"
#include "support/TempFiles.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

using quillet::NewsHistory;
using testing_support::cp932Lines;
using testing_support::readBytes;
using testing_support::writeBytes;

TEST(NewsHistory, KeepsALineOnlyWhenNoHeldEntryOccursInsideIt) {
    QTemporaryDir dir;
    const QString file = dir.path() + QStringLiteral("/History_News.lst");
    writeBytes(file, cp932Lines({QStringLiteral("ニュース"), QStringLiteral("今日のニュース"),
                                 QStringLiteral("天気"), QStringLiteral("天気")}));
    NewsHistory history;
    ASSERT_TRUE(LoadNewsHistory(history, file));
    EXPECT_EQ(history.entries(), (QStringList{QStringLiteral("ニュース"), QStringLiteral("天気")}));

    // Read means equal, not contained.
    EXPECT_TRUE(history.IsReadTitle(QStringLiteral("ニュース")));
    EXPECT_FALSE(history.IsReadTitle(QStringLiteral("今日のニュース")));
    EXPECT_FALSE(history.IsReadTitle(QStringLiteral("にゅーす")));
    // Opening a title that holds an entry does not add it, so it stays unread.
    EXPECT_FALSE(history.addIfNew(QStringLiteral("明日の天気")));
    EXPECT_TRUE(history.addIfNew(QStringLiteral("株価")));
    EXPECT_EQ(history.count(), 3);
}

TEST(NewsHistory, AnEmptyEntryOccursInsideEveryTitle) {
    NewsHistory history;
    EXPECT_TRUE(history.addIfNew(QString()));
    EXPECT_FALSE(history.addIfNew(QStringLiteral("何か")));
    EXPECT_TRUE(history.IsReadTitle(QString()));
    EXPECT_EQ(history.count(), 1);
}

TEST(NewsHistory, AgreesWithTheDirectSubstringRule) {
    // Short texts over a small alphabet make many overlaps and near misses.
    QRandomGenerator random(12345);
    const QString alphabet = QStringLiteral("abあい");
    auto randomText = [&] {
        QString text;
        const int length = static_cast<int>(random.bounded(1, 7));
        for (int i = 0; i < length; ++i)
            text += alphabet[static_cast<int>(random.bounded(alphabet.size()))];
        return text;
    };
    NewsHistory history;
    QStringList direct;
    for (int i = 0; i < 2000; ++i) {
        const QString line = randomText();
        bool held = false;
        for (const QString& entry : direct)
            held = held || line.contains(entry);
        const bool expectAdded = direct.isEmpty() || !held;
        if (expectAdded)
            direct << line;
        EXPECT_EQ(history.addIfNew(line), expectAdded) << line.toStdString();
    }
    EXPECT_EQ(history.entries(), direct);
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
