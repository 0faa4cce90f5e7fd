#include "reader/catalogue/FeedList.h"
#include "platform/controls/TreeViewModel.h"
#include "platform/text/Codepage.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

using namespace quillet;
using platform::controls::TreeViewModel;
using testing_support::cp932Lines;
using testing_support::readBytes;
using testing_support::writeBytes;

namespace {

class FeedListFile : public ::testing::Test {
protected:
    QString path(const char* name) const { return dir.path() + QLatin1Char('/') + name; }
    QString listWith(const QStringList& lines) {
        const QString file = path("list.brd");
        writeBytes(file, cp932Lines(lines));
        return file;
    }
    QTemporaryDir dir;
};

// Describes a tree as "parentKey>key:text:image" lines in tree order, to compare trees.
QStringList shapeOf(const TreeViewModel& tree) {
    QStringList shape;
    for (int index : tree.treeOrder()) {
        const int parent = tree.parentOf(index);
        shape << (parent ? tree.key(parent) : QString()) + QLatin1Char('>') + tree.key(index) +
                     QLatin1Char(':') + tree.text(index) + QLatin1Char(':') + tree.image(index);
    }
    return shape;
}

} // namespace

TEST_F(FeedListFile, ReadsFoldersAndFeedsByPosition) {
    TreeViewModel tree;
    const QString file = listWith({
        R"("ニュース","ROOT_FOLDER","root_usr1","")",
        R"("速報, 国内","http://a.example/rss","CHILD_NODE","1")",
        R"("海外","ADD_NEW_FOLDER","usr2","")",
        R"("世界","http://b.example/rdf","CHILD_NODE","2")",
        // Unquoted fields with blanks before them, and a record spanning two lines.
        R"(  Site , http://c.example/)",
        R"(CHILD_NODE,0)",
        R"("Doc","http://d.example/doc","CHILD_NODE","3")",
    });
    ASSERT_EQ(LoadFeedList(tree, file), 0);
    EXPECT_EQ(shapeOf(tree), (QStringList{
                                 QStringLiteral(">root_usr1:ニュース:CLOSE"),
                                 QStringLiteral("root_usr1>http://a.example/rss:速報, 国内:XML"),
                                 QStringLiteral("root_usr1>usr2:海外:CLOSE"),
                                 QStringLiteral("usr2>http://b.example/rdf:世界:XML2"),
                                 QStringLiteral("usr2>http://c.example/:Site:IE"),
                                 QStringLiteral("usr2>http://d.example/doc:Doc:DOC"),
                             }));
    EXPECT_EQ(tree.selectedImage(1), QStringLiteral("OPEN"));
}

TEST_F(FeedListFile, StopsOrSkipsOnBadRecords) {
    {
        SCOPED_TRACE("a kind number outside 0..3 skips only that record");
        TreeViewModel tree;
        ASSERT_EQ(LoadFeedList(tree, listWith({R"("F","ROOT_FOLDER","root_1","")",
                                               R"("Bad","http://x/","CHILD_NODE","4")",
                                               R"("Good","http://y/","CHILD_NODE","1")"})),
                  0);
        EXPECT_EQ(tree.count(), 2);
        EXPECT_TRUE(tree.containsKey(QStringLiteral("http://y/")));
    }
    {
        SCOPED_TRACE("a URL listed twice stops the load there");
        TreeViewModel tree;
        EXPECT_EQ(LoadFeedList(tree, listWith({R"("F","ROOT_FOLDER","root_1","")",
                                               R"("A","http://x/","CHILD_NODE","1")",
                                               R"("A again","http://x/","CHILD_NODE","1")",
                                               R"("After","http://z/","CHILD_NODE","1")"})),
                  -1);
        EXPECT_EQ(tree.count(), 2);
        EXPECT_FALSE(tree.containsKey(QStringLiteral("http://z/")));
    }
    {
        SCOPED_TRACE("a feed before any folder has no parent");
        TreeViewModel tree;
        EXPECT_EQ(LoadFeedList(tree, listWith({R"("A","http://x/","CHILD_NODE","1")"})), -1);
        EXPECT_EQ(tree.count(), 0);
    }
    {
        SCOPED_TRACE("a sub-folder before any root folder has no parent");
        TreeViewModel tree;
        EXPECT_EQ(LoadFeedList(tree, listWith({R"("S","ADD_NEW_FOLDER","usr1","")"})), -1);
    }
    {
        SCOPED_TRACE("a kind that is no number stops the load");
        TreeViewModel tree;
        EXPECT_EQ(LoadFeedList(tree, listWith({R"("F","ROOT_FOLDER","root_1","")",
                                               R"("A","http://x/","CHILD_NODE","abc")"})),
                  -1);
        EXPECT_EQ(tree.count(), 1);
    }
    {
        SCOPED_TRACE("a record cut short at the end of the file is an error");
        TreeViewModel tree;
        EXPECT_EQ(LoadFeedList(
                      tree, listWith({R"("F","ROOT_FOLDER","root_1","")", R"("A","http://x/")"})),
                  -1);
    }
    {
        SCOPED_TRACE("a missing file fails and adds nothing");
        TreeViewModel tree;
        EXPECT_EQ(LoadFeedList(tree, path("missing.brd")), -1);
        EXPECT_EQ(tree.count(), 0);
    }
    {
        SCOPED_TRACE("marker fields are case-sensitive: other records are skipped");
        TreeViewModel tree;
        EXPECT_EQ(LoadFeedList(tree, listWith({R"("F","root_folder","root_1","")"})), 0);
        EXPECT_EQ(tree.count(), 0);
    }
}

TEST_F(FeedListFile, LoadAddsToWhatTheTreeHolds) {
    TreeViewModel tree;
    tree.addNode(QString(), QStringLiteral("root_0"), QStringLiteral("既存"),
                 QStringLiteral("CLOSE"));
    ASSERT_EQ(LoadFeedList(tree, listWith({R"("F","ROOT_FOLDER","root_1","")"})), 0);
    EXPECT_EQ(tree.count(), 2);
}

TEST_F(FeedListFile, SaveThenLoadGivesTheSameTreeWhateverTheCreationOrder) {
    TreeViewModel tree;
    tree.addNode(QString(), QStringLiteral("root_a"), QStringLiteral("A"), QStringLiteral("CLOSE"),
                 QStringLiteral("OPEN"));
    tree.addNode(QStringLiteral("root_a"), QStringLiteral("sub_a1"), QStringLiteral("A1"),
                 QStringLiteral("CLOSE"), QStringLiteral("OPEN"));
    tree.addNode(QString(), QStringLiteral("root_b"), QStringLiteral("B"), QStringLiteral("CLOSE"),
                 QStringLiteral("OPEN"));
    // Added after later folders: a feed of the first root and one of its sub-folder.
    tree.addNode(QStringLiteral("root_a"), QStringLiteral("http://a/feed"),
                 QStringLiteral("a, feed"), QStringLiteral("XML"));
    tree.addNode(QStringLiteral("sub_a1"), QStringLiteral("http://a1/feed"), QStringLiteral("a1"),
                 QStringLiteral("XML2"));
    tree.addNode(QStringLiteral("root_b"), QStringLiteral("http://b/site"), QStringLiteral("b"),
                 QStringLiteral("IE"));
    tree.addNode(QStringLiteral("root_a"), QStringLiteral("sub_a2"), QStringLiteral("A2"),
                 QStringLiteral("CLOSE"), QStringLiteral("OPEN"));
    tree.addNode(QStringLiteral("sub_a2"), QStringLiteral("http://a2/doc"), QStringLiteral("a2"),
                 QStringLiteral("DOC"));

    const QString file = path("saved.brd");
    SaveFeedList(tree, file);
    TreeViewModel loaded;
    ASSERT_EQ(LoadFeedList(loaded, file), 0);

    // Children in the loaded tree follow records, so compare as sets of parent links.
    QStringList expected = shapeOf(tree);
    QStringList actual = shapeOf(loaded);
    expected.sort();
    actual.sort();
    EXPECT_EQ(actual, expected);

    // Records are CR LF lines of quoted fields in code page 932.
    const QByteArray bytes = readBytes(file);
    EXPECT_TRUE(bytes.startsWith(
        platform::text::encodeCp932(QStringLiteral("\"A\",\"ROOT_FOLDER\",\"root_a\",\"\"\r\n"))));
    EXPECT_EQ(bytes.count("\r\n"), 8);
    EXPECT_EQ(bytes.count('\n'), 8);
}

TEST_F(FeedListFile, DoubleQuotesAreStoredSoTheRecordReadsBack) {
    TreeViewModel tree;
    tree.addNode(QString(), QStringLiteral("root_1"), QStringLiteral("F"), QStringLiteral("CLOSE"));
    tree.addNode(QStringLiteral("root_1"), QStringLiteral("http://x/?q=\"a\""),
                 QStringLiteral("say \"hi\""), QStringLiteral("XML"));
    const QString file = path("quotes.brd");
    SaveFeedList(tree, file);
    TreeViewModel loaded;
    ASSERT_EQ(LoadFeedList(loaded, file), 0);
    ASSERT_EQ(loaded.count(), 2);
    EXPECT_EQ(loaded.text(2), QStringLiteral("say ＂hi＂"));
    EXPECT_EQ(loaded.key(2), QStringLiteral("http://x/?q=%22a%22"));
    EXPECT_EQ(loaded.image(2), QStringLiteral("XML"));
}

TEST_F(FeedListFile, SaveIntoMissingFolderRaisesAndLeavesNothing) {
    TreeViewModel tree;
    tree.addNode(QString(), QStringLiteral("root_1"), QStringLiteral("F"), QStringLiteral("CLOSE"));
    EXPECT_ANY_THROW(SaveFeedList(tree, path("no/such/folder/list.brd")));
}

TEST(AddFolderNode, KeysFollowTheCounterAndFailuresLeaveItAlone) {
    TreeViewModel tree;
    tree.setTag(QStringLiteral("7"));
    ASSERT_EQ(AddFolderNode(tree, QString(), QStringLiteral("ルート")), 0);
    EXPECT_EQ(tree.key(1), QStringLiteral("root_usr7"));
    EXPECT_EQ(tree.image(1), QStringLiteral("CLOSE"));
    EXPECT_EQ(tree.selectedImage(1), QStringLiteral("OPEN"));
    EXPECT_EQ(tree.tag(), QStringLiteral("8"));

    ASSERT_EQ(AddFolderNode(tree, QStringLiteral("root_usr7"), QStringLiteral("サブ")), 0);
    EXPECT_EQ(tree.key(2), QStringLiteral("usr8"));
    EXPECT_EQ(tree.parentOf(2), 1);
    EXPECT_EQ(tree.tag(), QStringLiteral("9"));

    // A counter whose keys are taken moves on to the first free one.
    tree.addNode(QString(), QStringLiteral("root_usr9"), QStringLiteral("既存"),
                 QStringLiteral("CLOSE"));
    tree.addNode(QString(), QStringLiteral("root_usr10"), QStringLiteral("既存"),
                 QStringLiteral("CLOSE"));
    ASSERT_EQ(AddFolderNode(tree, QString(), QStringLiteral("衝突")), 0);
    EXPECT_EQ(tree.key(5), QStringLiteral("root_usr11"));
    EXPECT_EQ(tree.tag(), QStringLiteral("12"));

    EXPECT_EQ(AddFolderNode(tree, QStringLiteral("no_such_parent"), QStringLiteral("x")), -1);
    EXPECT_EQ(tree.tag(), QStringLiteral("12"));

    tree.setTag(QStringLiteral("abc"));
    EXPECT_EQ(AddFolderNode(tree, QString(), QStringLiteral("x")), -1);
    EXPECT_EQ(tree.tag(), QStringLiteral("abc"));
    EXPECT_EQ(tree.count(), 5);
}
