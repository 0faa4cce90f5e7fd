#include "reader/mainwindow/MenuTree.h"

#include <QSet>
#include <gtest/gtest.h>

using quillet::mainMenuTree;
using quillet::MenuEntry;

TEST(MenuTree, EveryEntryHasAUniqueNameAndAParentDefinedBeforeIt) {
    QSet<QString> seen;
    for (const MenuEntry& entry : mainMenuTree()) {
        const QString id =
            entry.name + QLatin1Char('(') + QString::number(entry.index) + QLatin1Char(')');
        EXPECT_FALSE(seen.contains(id)) << id.toStdString();
        if (!entry.parent.isEmpty()) {
            EXPECT_TRUE(seen.contains(entry.parent + QStringLiteral("(-1)")))
                << entry.name.toStdString();
        }
        if (entry.caption == QLatin1String("-")) {
            EXPECT_TRUE(entry.name.startsWith(entry.parent + QStringLiteral("Line")))
                << entry.name.toStdString();
        }
        seen.insert(id);
    }
}

TEST(MenuTree, HoldsTheBarMenusInOrderAndThePopUpsHidden) {
    QStringList bar;
    QStringList hidden;
    int intervals = 0;
    for (const MenuEntry& entry : mainMenuTree()) {
        if (entry.parent.isEmpty())
            (entry.visible ? bar : hidden) << entry.caption;
        if (entry.name == QLatin1String("mnuViewAutoRefresh_time")) {
            ++intervals;
            EXPECT_EQ(entry.index, intervals);
        }
    }
    EXPECT_EQ(bar, (QStringList{QStringLiteral("ファイル(&F)"), QStringLiteral("編集(&E)"),
                                QStringLiteral("タブ(&S)"), QStringLiteral("表示(&V)"),
                                QStringLiteral("ツール(&T)"), QStringLiteral("ヘルプ(&H)")}));
    EXPECT_EQ(hidden,
              (QStringList{QStringLiteral("ポップアップlvw"), QStringLiteral("ポップアップtvw"),
                           QStringLiteral("ポップアップTab")}));
    EXPECT_EQ(intervals, 8);
}
