#include "platform/controls/SimpleModels.h"
#include "RaisedError.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using controls_test::raisedError;
using namespace platform::controls;

namespace {
constexpr int kNine = platform::err::SubscriptOutOfRange;
}

TEST(TabStripModel, TheSelectionStartsWithTheFirstTabAndSurvivesRemovals) {
    TabStripModel tabs;
    for (const char* caption : {"a", "b", "c", "d"})
        tabs.addTab(caption, {});
    EXPECT_EQ(tabs.selected(), 1);
    EXPECT_EQ(raisedError([&] { tabs.select(5); }), kNine);
    tabs.select(3); // "c"
    QList<int> selections;
    QObject::connect(&tabs, &TabStripModel::selectedChanged,
                     [&](int position) { selections.append(position); });

    tabs.removeTab(1); // before the selection: "c" moves to 2
    EXPECT_EQ(tabs.selected(), 2);
    EXPECT_EQ(tabs.caption(2), "c");

    tabs.removeTab(2); // the selected one: "d" takes its place
    EXPECT_EQ(tabs.selected(), 2);
    EXPECT_EQ(tabs.caption(2), "d");

    tabs.removeTab(2); // the selected last one: the one before it
    EXPECT_EQ(tabs.selected(), 1);
    tabs.removeTab(1);
    EXPECT_EQ(tabs.selected(), 0);
    EXPECT_EQ(tabs.count(), 0);
    // Every change of the selected tab was announced, also when its number stayed.
    EXPECT_EQ(selections, (QList<int>{2, 2, 1, 0}));
    EXPECT_EQ(raisedError([&] { tabs.removeTab(1); }), kNine);
}

class FileListModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        for (const char* name : {"b.brd", "A.brd", "c.BRD", "notes.txt", "noext"}) {
            QFile file(folder_.filePath(name));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
        ASSERT_TRUE(QDir(folder_.path()).mkdir("folder.brd"));
    }
    QStringList names() const {
        QStringList result;
        for (int i = 0; i < list_.count(); ++i)
            result.append(list_.name(i));
        return result;
    }
    QTemporaryDir folder_;
    FileListModel list_;
};

TEST_F(FileListModelTest, MatchingFilesAreListedAlphabeticallyIgnoringCase) {
    list_.setPattern("*.brd");
    list_.setPath(folder_.path());
    // Folders never count, however they are named.
    EXPECT_EQ(names(), (QStringList{"A.brd", "b.brd", "c.BRD"}));
}

TEST_F(FileListModelTest, StarDotStarAndPatternListsMatchAsExpected) {
    list_.setPath(folder_.path());
    EXPECT_EQ(names(), (QStringList{"A.brd", "b.brd", "c.BRD", "noext", "notes.txt"}));
    list_.setPattern("*.txt; a*");
    EXPECT_EQ(names(), (QStringList{"A.brd", "notes.txt"}));
}

TEST_F(FileListModelTest, RefreshSeesNewFilesAndAMissingFolderListsNothing) {
    list_.setPattern("*.txt");
    list_.setPath(folder_.path());
    QFile file(folder_.filePath("more.TXT"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    list_.refresh();
    EXPECT_EQ(names(), (QStringList{"more.TXT", "notes.txt"}));

    EXPECT_EQ(raisedError([&] { list_.setPath(folder_.filePath("gone")); }), 0);
    EXPECT_EQ(list_.count(), 0);
    EXPECT_EQ(raisedError([&] { list_.name(0); }), kNine);
}

TEST(ToolBarModel, ClicksReachOnlyKnownEnabledButtons) {
    ToolBarModel bar;
    bar.addButton("refresh", "img", "Refresh");
    bar.addButton("stop", "img", "Stop");
    EXPECT_EQ(raisedError([&] { bar.addButton("stop", "", ""); }), platform::err::KeyNotUnique);
    QStringList clicked;
    QObject::connect(&bar, &ToolBarModel::buttonClicked,
                     [&](const QString& key) { clicked.append(key); });
    bar.click("stop");
    bar.click("unknown");
    bar.setEnabled(false);
    bar.click("refresh");
    bar.setEnabled(true);
    bar.click("refresh");
    EXPECT_EQ(clicked, (QStringList{"stop", "refresh"}));
}
