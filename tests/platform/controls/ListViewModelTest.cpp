#include "platform/controls/ListViewModel.h"
#include "RaisedError.h"
#include <QFont>
#include <gtest/gtest.h>

using controls_test::raisedError;
using platform::controls::ListViewModel;

namespace {

struct ThreeColumns {
    ListViewModel model;
    ThreeColumns() {
        model.setColumnHeaders({"Title", "Date", "Feed"});
        for (int row = 1; row <= 3; ++row) {
            model.addRow(QStringLiteral("title %1").arg(row));
            model.setItemText(row, 1, QStringLiteral("date %1").arg(row));
            model.setItemText(row, 2, QStringLiteral("feed %1").arg(row));
        }
    }
    QVariant cell(int row, int column, int role) const {
        return model.data(model.index(row - 1, column), role);
    }
};

} // namespace

TEST(ListViewModelCells, RowsAndSubItemsAreStoredAndShown) {
    ThreeColumns t;
    EXPECT_EQ(t.model.count(), 3);
    EXPECT_EQ(t.model.columnCount(), 3);
    EXPECT_EQ(t.model.rowCount(), 3);
    EXPECT_EQ(t.model.itemText(2, 0), "title 2");
    EXPECT_EQ(t.model.itemText(3, 2), "feed 3");
    EXPECT_EQ(t.cell(2, 1, Qt::DisplayRole).toString(), "date 2");
    EXPECT_EQ(t.model.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), "Date");
    EXPECT_FALSE(t.model.headerData(3, Qt::Horizontal, Qt::DisplayRole).isValid());
    EXPECT_EQ(t.model.addRow("fourth"), 4);
    EXPECT_EQ(t.model.itemText(4, 2), ""); // sub-items not yet written read as empty

    // A text of several lines shows as one line; the text itself keeps them.
    const QString lines = QStringLiteral("one\r\ntwo\nthree\rfour\u2028five");
    t.model.setItemText(1, 2, lines);
    EXPECT_EQ(t.cell(1, 2, Qt::DisplayRole).toString(), "one two three four five");
    EXPECT_EQ(t.model.itemText(1, 2), lines);

    // A title of a megabyte shows its beginning only; the text stays whole.
    const QString huge(1 << 20, QLatin1Char('x'));
    t.model.setItemText(1, 2, huge);
    const QString shown = t.cell(1, 2, Qt::DisplayRole).toString();
    EXPECT_EQ(shown.size(), platform::controls::kMaxShownCharacters + 1);
    EXPECT_TRUE(shown.endsWith(QChar(0x2026)));
    EXPECT_EQ(t.model.itemText(1, 2), huge);
}

TEST(ListViewModelCells, RowAndCellStylesCombine) {
    ThreeColumns t;
    t.model.setRowBold(2, true);
    t.model.setCellBold(2, 1, false);
    EXPECT_TRUE(t.model.cellBold(2, 0));
    EXPECT_FALSE(t.model.cellBold(2, 1));
    EXPECT_TRUE(t.model.cellBold(2, 2));
    EXPECT_FALSE(t.model.cellBold(1, 0));
    EXPECT_TRUE(t.cell(2, 2, Qt::FontRole).value<QFont>().bold());
    // Plain cells leave the view's own font alone.
    EXPECT_FALSE(t.cell(2, 1, Qt::FontRole).isValid());

    t.model.setCellForeColor(3, 1, Qt::red);
    EXPECT_EQ(t.model.cellForeColor(3, 1), QColor(Qt::red));
    EXPECT_FALSE(t.model.cellForeColor(3, 0).isValid());
    EXPECT_FALSE(t.cell(3, 0, Qt::ForegroundRole).isValid());
    t.model.setRowForeColor(3, Qt::blue);
    for (int column = 0; column < 3; ++column)
        EXPECT_EQ(t.cell(3, column, Qt::ForegroundRole).value<QColor>(), QColor(Qt::blue));
    EXPECT_FALSE(t.model.cellForeColor(2, 0).isValid());
}

TEST(ListViewModelCells, OutOfRangeRowsAndColumnsRaiseNine) {
    ThreeColumns t;
    const int nine = platform::err::SubscriptOutOfRange;
    EXPECT_EQ(raisedError([&] { t.model.itemText(0, 0); }), nine);
    EXPECT_EQ(raisedError([&] { t.model.itemText(4, 0); }), nine);
    EXPECT_EQ(raisedError([&] { t.model.setItemText(1, 3, "x"); }), nine);
    EXPECT_EQ(raisedError([&] { t.model.setCellBold(1, -1, true); }), nine);
    EXPECT_EQ(raisedError([&] { t.model.setRowForeColor(4, Qt::red); }), nine);
    EXPECT_EQ(raisedError([&] { t.model.setSelectedRow(4); }), nine);
    EXPECT_EQ(raisedError([&] { t.model.setSelectedRow(3); }), 0);
}

TEST(ListViewModelRows, TheFullSixteenBitRangeOfRowsCanBeAdded) {
    ListViewModel model;
    model.setColumnHeaders({"Title", "Date"});
    int inserts = 0;
    int resets = 0;
    QObject::connect(&model, &QAbstractItemModel::rowsInserted, [&] { ++inserts; });
    QObject::connect(&model, &QAbstractItemModel::modelReset, [&] { ++resets; });
    for (int row = 1; row <= 32767; ++row)
        ASSERT_EQ(model.addRow(QString::number(row)), row);
    EXPECT_EQ(model.count(), 32767);
    EXPECT_EQ(inserts, 32767);
    EXPECT_EQ(resets, 0);
    model.setItemText(32767, 1, "last");
    EXPECT_EQ(model.itemText(32767, 0), "32767");
    EXPECT_EQ(model.data(model.index(32766, 1), Qt::DisplayRole).toString(), "last");
}

TEST(ListViewModelRows, ChangingHeadersKeepsRowsAndDropsCellsOfRemovedColumns) {
    ThreeColumns t;
    t.model.setColumnHeaders({"Title"});
    EXPECT_EQ(t.model.columnCount(), 1);
    EXPECT_EQ(t.model.itemText(1, 0), "title 1");
    EXPECT_EQ(raisedError([&] { t.model.itemText(1, 1); }), platform::err::SubscriptOutOfRange);
    t.model.setColumnHeaders({"Title", "Date", "Feed"});
    EXPECT_EQ(t.model.count(), 3);
    EXPECT_EQ(t.model.itemText(1, 1), "");
}
