#include "reader/catalogue/FolderDialog.h"
#include "platform/text/Codepage.h"
#include "reader/app/AppState.h"
#include "reader/app/ProgramPaths.h"
#include "reader/catalogue/FeedList.h"
#include "reader/catalogue/FolderDialogModel.h"
#include "reader/mainwindow/MainWindowModel.h"
#include "support/RecordingMessages.h"
#include "support/RecordingView.h"
#include "support/TempFiles.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

using namespace quillet;
using Outcome = FolderDialogModel::Outcome;
using testing_support::cp932Lines;
using testing_support::readBytes;
using testing_support::RecordingView;
using testing_support::writeBytes;

namespace {

// A catalogue with two root folders of the same name, one with a sub-folder.
class FolderDialogTest : public ::testing::Test {
protected:
    FolderDialogTest()
        : app(folder.path(), std::make_unique<testing_support::RecordingMessages>(shown)) {
        app.catalogueComplete = true;
        auto& tree = window.tvw1;
        tree.addNode(QString(), "root_usr1", "ニュース", "CLOSE", "OPEN");
        tree.addNode("root_usr1", "http://a/rss", "A", "XML");
        tree.addNode("root_usr1", "http://b/", "B", "IE");
        tree.addNode("root_usr1", "usr2", "技術", "CLOSE", "OPEN");
        tree.addNode("usr2", "http://c/rdf", "C", "XML2");
        tree.addNode("usr2", "http://d/doc", "D", "DOC");
        tree.addNode(QString(), "root_usr3", "ニュース", "CLOSE", "OPEN");
        tree.addNode("root_usr3", "http://e/rss", "ニュース",
                     "XML"); // a feed named like the folder
        tree.setTag("4");
        window.Tab1.setTag(1, "1");
    }
    int nodeOf(const QString& key) const { return window.tvw1.indexOfKey(key); }
    QStringList childTexts(const QString& key) const {
        QStringList texts;
        for (int child : window.tvw1.childrenOf(nodeOf(key)))
            texts << window.tvw1.text(child);
        return texts;
    }
    QString listFile() const { return app.file(paths::FeedList); }
    QString patrolFile() const { return app.file(paths::PatrolList); }
    int patrolNode(FolderDialogModel& dialog, const QString& key) {
        return dialog.tvw1.indexOfKey(key);
    }
    // Checks a node of the patrol tree the way a click on its box does.
    static void userCheck(FolderDialogModel& dialog, int node, bool checked) {
        dialog.tvw1.setSelectedIndex(node);
        dialog.tvw1.setData(dialog.tvw1.modelIndexOf(node), checked ? Qt::Checked : Qt::Unchecked,
                            Qt::CheckStateRole);
    }

    std::vector<testing_support::ShownMessage> shown;
    testing_support::ProgramFolder folder;
    AppState app;
    MainWindowModel window;
    RecordingView view;
};

} // namespace

TEST_F(FolderDialogTest, EachModeShowsItsFrameAloneWithItsCaptionAndSize) {
    window.layout.left = 1200;
    window.layout.top = 900;
    FolderDialogModel dialog(app, window, view);
    const QString captions[] = {
        "■フォルダ追加",      "■開く", "■バージョン情報", "■サブフォルダ追加",
        "■ニュース巡回 設定", "■検索", "■ソース表示"};
    for (int mode = 0; mode < FolderDialogModel::FrameCount; ++mode) {
        dialog.fframe[mode].left = 300; // moved back to the corner by every opening
        dialog.m_SetWindow(mode);
        EXPECT_EQ(dialog.mode(), mode);
        EXPECT_EQ(dialog.caption, captions[mode]);
        for (int other = 0; other < FolderDialogModel::FrameCount; ++other)
            EXPECT_EQ(dialog.fframe[other].visible, other == mode) << mode << " " << other;
        const auto& frame = dialog.fframe[mode];
        EXPECT_EQ(frame.left, 0);
        EXPECT_EQ(frame.top, 0);
        EXPECT_EQ(dialog.formHeight, frame.height + 400) << mode;
        const int width = mode <= 3 ? 4770 : mode == 4 ? 4800 : frame.width + 150;
        EXPECT_EQ(dialog.formWidth, width) << mode;
        // Only the root folder mode goes to the main window's corner.
        EXPECT_EQ(dialog.formLeftTop.has_value(), mode == 0) << mode;
    }
    dialog.m_SetWindow(0);
    EXPECT_EQ(*dialog.formLeftTop, std::make_pair(1200, 900));
    EXPECT_EQ(dialog.fframe[2].caption, QStringLiteral("バージョン情報"));
    EXPECT_EQ(dialog.fframe[4].caption, QStringLiteral("ニュース巡回 設定"));

    // Another number changes nothing.
    dialog.m_SetWindow(7);
    dialog.m_SetWindow(-1);
    EXPECT_EQ(dialog.mode(), 0);
    EXPECT_TRUE(dialog.fframe[0].visible);

    // The patrol mode starts from one hour whatever was chosen before.
    dialog.comCheckTime.setListIndex(5);
    dialog.m_SetWindow(4);
    EXPECT_EQ(dialog.comCheckTime.text(), QStringLiteral("1"));
    EXPECT_EQ(dialog.comCheckTime.count(), 12);
    EXPECT_EQ(dialog.comCheckTime.entry(11), QStringLiteral("12"));
}

TEST_F(FolderDialogTest, LoadingWritesTheCatalogueAndCopiesItUnchecked) {
    writeBytes(listFile(), "old");
    FolderDialogModel dialog(app, window, view);
    EXPECT_EQ(readBytes(listFile()),
              platform::text::encodeFileText(feedListRecords(window.tvw1).join("\r\n") + "\r\n"));
    ASSERT_EQ(dialog.tvw1.count(), window.tvw1.count());
    EXPECT_EQ(feedListRecords(dialog.tvw1), feedListRecords(window.tvw1));
    for (int node = 1; node <= dialog.tvw1.count(); ++node)
        EXPECT_FALSE(dialog.tvw1.checked(node));
    EXPECT_TRUE(dialog.tvw1.checkBoxes());
}

TEST_F(FolderDialogTest, AnIncompletelyLoadedListFileIsLeftAloneAndTheTreeCopied) {
    // The user's list stopped loading halfway: the partial tree must not replace it.
    app.catalogueComplete = false;
    writeBytes(listFile(), "\"whole list\",\"ROOT_FOLDER\",\"root_1\",\"\"\r\n\"cut");
    const QByteArray before = readBytes(listFile());
    FolderDialogModel dialog(app, window, view);
    EXPECT_EQ(readBytes(listFile()), before);
    EXPECT_EQ(feedListRecords(dialog.tvw1), feedListRecords(window.tvw1));

    // A list file that cannot be written gives a copy of the tree, not an old file.
    app.catalogueComplete = true;
    QFile::remove(listFile());
    QDir().rmdir(folder.file("data/profile"));
    FolderDialogModel unwritable(app, window, view);
    EXPECT_EQ(feedListRecords(unwritable.tvw1), feedListRecords(window.tvw1));
}

TEST_F(FolderDialogTest, FoldersAreAddedByNameToEveryFolderOfThatName) {
    FolderDialogModel dialog(app, window, view);
    dialog.m_SetWindow(0);
    EXPECT_EQ(dialog.cmdAddNewFolder(), Outcome::Stay); // no name, nothing added
    dialog.txtFolderName = "新しい";
    EXPECT_EQ(dialog.cmdAddNewFolder(), Outcome::Unload);
    const int added = nodeOf("root_usr4");
    ASSERT_NE(added, 0);
    EXPECT_EQ(window.tvw1.text(added), QStringLiteral("新しい"));
    EXPECT_EQ(window.tvw1.parentOf(added), 0);

    FolderDialogModel sub(app, window, view);
    sub.m_SetWindow(3);
    sub.txtPlace = "ニュース";
    EXPECT_EQ(sub.cmdAddNewSubFolder(), Outcome::Stay);
    // A sub-folder named like its place is added once per place, and the feed
    // that shares the name gets none.
    sub.txtSubFolderName = "ニュース";
    EXPECT_EQ(sub.cmdAddNewSubFolder(), Outcome::Unload);
    EXPECT_EQ(childTexts("root_usr1"), QStringList({"A", "B", "技術", "ニュース"}));
    EXPECT_EQ(childTexts("root_usr3"), QStringList({"ニュース", "ニュース"}));
    EXPECT_EQ(window.tvw1.key(window.tvw1.childrenOf(nodeOf("root_usr3")).last()),
              QStringLiteral("usr6"));
    EXPECT_TRUE(window.tvw1.childrenOf(nodeOf("http://e/rss")).isEmpty());
    EXPECT_EQ(window.tvw1.tag(), QStringLiteral("7"));
}

TEST_F(FolderDialogTest, SubFoldersGoUnderRootFoldersOnlyAndFailuresAreReported) {
    FolderDialogModel sub(app, window, view);
    sub.m_SetWindow(3);
    sub.txtPlace = "技術"; // a sub-folder: the feed list has no third level
    sub.txtSubFolderName = "深い";
    sub.cmdAddNewSubFolder();
    EXPECT_TRUE(childTexts("usr2").filter(QStringLiteral("深い")).isEmpty());

    // A counter that cannot become a key is reported, and the dialog stays.
    window.tvw1.setTag("abc");
    FolderDialogModel root(app, window, view);
    root.m_SetWindow(0);
    root.txtFolderName = "新しい";
    EXPECT_EQ(root.cmdAddNewFolder(), Outcome::Stay);
    EXPECT_EQ(window.stb1.panelText(1),
              QStringLiteral("フォルダ「新しい」を追加できませんでした。"));
    sub.txtPlace = "ニュース";
    EXPECT_EQ(sub.cmdAddNewSubFolder(), Outcome::Stay);
}

TEST_F(FolderDialogTest, AnAddressOpensInTheSelectedTabsBrowserWithAScheme) {
    window.Tab1.addTab("two", "5");
    window.Tab1.select(2);
    FolderDialogModel dialog(app, window, view);
    dialog.m_SetWindow(1);
    EXPECT_EQ(dialog.cmdOpen(), Outcome::Stay);
    EXPECT_TRUE(view.log.isEmpty());
    dialog.txtURL = "example.org/ページ ";
    EXPECT_EQ(dialog.cmdOpen(), Outcome::Unload);
    EXPECT_EQ(view.log, QStringList{"go 5 http://example.org/ページ "});
    view.log.clear();
    dialog.txtURL = "https://example.org/";
    dialog.cmdOpen();
    EXPECT_EQ(view.log, QStringList{"go 5 https://example.org/"});
}

TEST_F(FolderDialogTest, TheVersionLinkChangesColourAndOpensANewTab) {
    FolderDialogModel dialog(app, window, view);
    dialog.m_SetWindow(2);
    EXPECT_EQ(dialog.Label2, QStringLiteral("Quillet"));
    EXPECT_EQ(dialog.Label3, QStringLiteral("ver. 0.50"));
    dialog.linkMouseMove();
    EXPECT_EQ(dialog.lbURL.foreColor(), 255u);
    dialog.frameMouseMove();
    EXPECT_EQ(dialog.lbURL.foreColor(), 0xFF0000u);

    view.offline = true;
    dialog.linkClick();
    EXPECT_EQ(window.Tab1.count(), 2);
    EXPECT_EQ(window.Tab1.tag(2), QStringLiteral("2"));
    EXPECT_EQ(app.TabCounter.value(), 2);
    // The link's own address, with no extra request headers, in an offline browser.
    EXPECT_TRUE(view.log.contains("create 2"));
    EXPECT_TRUE(view.log.contains("offline 2"));
    EXPECT_TRUE(view.log.contains("go 2 " + dialog.lbURL.caption()))
        << view.log.join("|").toStdString();
    EXPECT_TRUE(dialog.lbURL.caption().endsWith("help.html"));
}

TEST_F(FolderDialogTest, CheckingAFolderChecksEverythingInsideIt) {
    FolderDialogModel dialog(app, window, view);
    dialog.m_SetWindow(4);
    const int news = patrolNode(dialog, "root_usr1");
    userCheck(dialog, news, true);
    for (const char* key : {"http://a/rss", "http://b/", "usr2", "http://c/rdf", "http://d/doc"})
        EXPECT_TRUE(dialog.tvw1.checked(patrolNode(dialog, key))) << key;
    EXPECT_FALSE(dialog.tvw1.checked(patrolNode(dialog, "root_usr3")));
    EXPECT_FALSE(dialog.tvw1.checked(patrolNode(dialog, "http://e/rss")));

    // Unchecking the sub-folder leaves its parent and siblings alone.
    userCheck(dialog, patrolNode(dialog, "usr2"), false);
    EXPECT_FALSE(dialog.tvw1.checked(patrolNode(dialog, "http://c/rdf")));
    EXPECT_TRUE(dialog.tvw1.checked(patrolNode(dialog, "http://a/rss")));
    EXPECT_TRUE(dialog.tvw1.checked(news));

    // Clicking a box selects nothing; the folder's feeds follow all the same.
    dialog.tvw1.setSelectedIndex(0);
    dialog.tvw1.setData(dialog.tvw1.modelIndexOf(patrolNode(dialog, "root_usr3")), Qt::Checked,
                        Qt::CheckStateRole);
    EXPECT_TRUE(dialog.tvw1.checked(patrolNode(dialog, "http://e/rss")));
}

TEST_F(FolderDialogTest, ThePatrolListHoldsTheCheckedFeedsAndSwitchesThePatrolOn) {
    FolderDialogModel dialog(app, window, view);
    dialog.m_SetWindow(4);
    userCheck(dialog, patrolNode(dialog, "root_usr1"), true); // the web site "B" is skipped
    userCheck(dialog, patrolNode(dialog, "http://e/rss"), true);
    dialog.comCheckTime.setListIndex(11);
    EXPECT_FALSE(app.patrolOn);
    EXPECT_EQ(dialog.cmdSetCheckNews(), Outcome::Unload);
    EXPECT_EQ(readBytes(patrolFile()),
              cp932Lines({"\"A\",\"http://a/rss\",\"CHILD_NODE\",\"1\"",
                          "\"C\",\"http://c/rdf\",\"CHILD_NODE\",\"1\"",
                          "\"D\",\"http://d/doc\",\"CHILD_NODE\",\"1\"",
                          "\"ニュース\",\"http://e/rss\",\"CHILD_NODE\",\"1\""}));
    EXPECT_TRUE(app.patrolOn);
    EXPECT_EQ(app.patrolPeriod, 12);

    // Nothing checked: the list goes, the patrol still switches on.
    app.patrolOn = false;
    FolderDialogModel again(app, window, view);
    again.m_SetWindow(4);
    EXPECT_EQ(again.cmdSetCheckNews(), Outcome::Unload);
    EXPECT_FALSE(QFile::exists(patrolFile()));
    EXPECT_TRUE(app.patrolOn);
    EXPECT_EQ(app.patrolPeriod, 1);
}

TEST_F(FolderDialogTest, APatrolListThatCannotBeWrittenIsReportedAndThePatrolStaysOff) {
    FolderDialogModel dialog(app, window, view);
    dialog.m_SetWindow(4);
    userCheck(dialog, patrolNode(dialog, "http://a/rss"), true);
    // A folder in the list file's place cannot be replaced by a file.
    QDir().mkpath(patrolFile());
    EXPECT_EQ(dialog.cmdSetCheckNews(), Outcome::Stay);
    EXPECT_FALSE(app.patrolOn);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(shown[0].text.contains(patrolFile()));
    EXPECT_EQ(shown[0].title, QStringLiteral("■ニュース巡回 設定"));

    // An empty patrol tree does nothing at all.
    window.tvw1.clear();
    FolderDialogModel empty(app, window, view);
    EXPECT_EQ(empty.cmdSetCheckNews(), Outcome::Stay);
    EXPECT_EQ(shown.size(), 1u);
}

TEST_F(FolderDialogTest, SearchNarrowsTheArticleListAndCountsInTheStatusBar) {
    const QStringList rows[] = {
        {"1", "Tokyo weather", "Feed", "t", "http://a/1", "rain in tokyo", "", ""},
        {"2", "tokyo tower", "Feed", "t", "http://b/2", "", "", ""},
        {"3", "Osaka", "Feed", "t", "http://a/3", "", "", ""},
    };
    for (const QStringList& row : rows)
        window.lvw1.addRow(row, false);
    FolderDialogModel dialog(app, window, view);
    dialog.m_SetWindow(5);
    EXPECT_EQ(dialog.cmdSearch(), Outcome::Stay);
    EXPECT_EQ(window.stb1.panelText(1), QString());

    dialog.comSearch.setText("Kyoto");
    EXPECT_EQ(dialog.cmdSearch(), Outcome::Stay);
    EXPECT_EQ(window.stb1.panelText(1), QStringLiteral("0個のニュースが見つかりました。"));
    EXPECT_EQ(window.lvw1.count(), 3);

    // The link column, then the description column; the case counts.
    dialog.opSearch.setValue(1, true);
    dialog.comSearch.setText("http://a/");
    dialog.cmdSearch();
    EXPECT_EQ(window.stb1.panelText(1), QStringLiteral("2個のニュースが見つかりました。"));
    ASSERT_EQ(window.lvw1.count(), 2);
    EXPECT_EQ(window.lvw1.itemText(2, 1), QStringLiteral("Osaka"));
    EXPECT_NE(window.lvw1.itemText(1, 3), QStringLiteral("t"));

    window.lvw1.clear();
    for (const QStringList& row : rows)
        window.lvw1.addRow(row, false);
    dialog.opSearch.setValue(0, true);
    dialog.comSearch.setText("tokyo");
    dialog.cmdSearch();
    EXPECT_EQ(window.stb1.panelText(1), QStringLiteral("1個のニュースが見つかりました。"));
    EXPECT_EQ(window.lvw1.itemText(1, 1), QStringLiteral("tokyo tower"));
    EXPECT_EQ(dialog.comSearch.entries(), QStringList({"Kyoto", "http://a/", "tokyo"}));
}

TEST_F(FolderDialogTest, TheDialogShowsOneFrameAndItsButtonsRunTheCommands) {
    FolderDialog dialog(app, window, view);
    dialog.model().m_SetWindow(3);
    dialog.model().txtPlace = "ニュース";
    dialog.showModel();
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("■サブフォルダ追加"));
    for (int index = 0; index < FolderDialogModel::FrameCount; ++index)
        EXPECT_EQ(dialog.frame(index)->isVisible(), index == 3) << index;
    EXPECT_EQ(dialog.frame(3)->pos(), QPoint(0, 0));
    EXPECT_EQ(dialog.findChild<QLineEdit*>("txtPlace")->text(), QStringLiteral("ニュース"));
    // The place comes preset: typing goes to the new folder's name.
    EXPECT_EQ(dialog.focusWidget(), dialog.findChild<QLineEdit*>("txtSubFolderName"));
    // Every frame holds its contents without squeezing them.
    for (int index = 0; index < FolderDialogModel::FrameCount; ++index) {
        const QSize needed = dialog.frame(index)->minimumSizeHint();
        EXPECT_LE(needed.height(), dialog.frame(index)->height()) << index;
        EXPECT_LE(needed.width(), dialog.frame(index)->width()) << index;
    }

    // Typed as the input method hands text over: one key event with the text.
    QKeyEvent typed(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("ソフト"));
    QApplication::sendEvent(dialog.findChild<QLineEdit*>("txtSubFolderName"), &typed);
    dialog.findChild<QPushButton*>("cmdAddNewSubFolder")->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(childTexts("root_usr3"), QStringList({"ニュース", "ソフト"}));

    // The patrol tree takes a click on a folder's box like the user's check.
    dialog.model().m_SetWindow(4);
    dialog.showModel();
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    auto* tree = dialog.findChild<QTreeView*>("tvw1");
    ASSERT_NE(tree, nullptr);
    const QModelIndex folderIndex = dialog.model().tvw1.modelIndexOf(1);
    const QRect row = tree->visualRect(folderIndex);
    // The check box sits at the start of the row, after the decoration.
    QPoint box;
    for (int x = row.left(); x < row.left() + 40 && box.isNull(); x += 2) {
        dialog.model().tvw1.setSelectedIndex(0); // a click beside the box selects the row
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, QPoint(x, row.center().y()));
        if (dialog.model().tvw1.checked(1))
            box = QPoint(x, row.center().y());
    }
    ASSERT_FALSE(box.isNull()) << "no check box found";
    EXPECT_TRUE(dialog.model().tvw1.checked(dialog.model().tvw1.indexOfKey("http://a/rss")));
}
