#include "reader/catalogue/Opml.h"
#include "platform/controls/TreeViewModel.h"
#include "reader/catalogue/FeedList.h"
#include "support/QtPrinters.h"
#include "support/TempFiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quillet;
using testing_support::writeBytes;

namespace {

// Each node as "depth|text|key kind", in tree order; folder keys are left out
// since importing makes new ones.
QStringList shape(const platform::controls::TreeViewModel& tree) {
    QStringList lines;
    for (int node : tree.treeOrder()) {
        int depth = 0;
        for (int up = tree.parentOf(node); up != 0; up = tree.parentOf(up))
            ++depth;
        const bool folder = tree.image(node) == QLatin1String("CLOSE");
        lines << QStringLiteral("%1|%2|%3")
                     .arg(depth)
                     .arg(tree.text(node),
                          folder ? QString() : tree.key(node) + ' ' + tree.image(node));
    }
    return lines;
}

OpmlOutline read(const QByteArray& bytes, bool* ok = nullptr) {
    QTemporaryDir dir;
    writeBytes(dir.filePath("in.opml"), bytes);
    OpmlOutline outline;
    QString reason;
    const bool loaded = ReadOpml(dir.filePath("in.opml"), outline, &reason);
    if (ok != nullptr)
        *ok = loaded;
    return outline;
}

} // namespace

TEST(Opml, TheCatalogueComesBackUnchangedThroughExportAndImport) {
    platform::controls::TreeViewModel tree;
    tree.setTag("1");
    ASSERT_EQ(AddFolderNode(tree, QString(), "ニュース & 天気"), 0);
    tree.addNode("root_usr1", "http://127.0.0.1/a.xml?x=1&y=<2>", "A \"引用\"", "XML");
    tree.addNode("root_usr1", "http://127.0.0.1/site/", "サイト", "IE");
    ASSERT_EQ(AddFolderNode(tree, "root_usr1", "技術"), 0);
    tree.addNode("usr2", "http://127.0.0.1/rdf", "RDF", "XML2");
    tree.addNode("usr2", "http://127.0.0.1/doc", "文書", "DOC");
    ASSERT_EQ(AddFolderNode(tree, QString(), "空のフォルダ"), 0);

    bool ok = false;
    const OpmlOutline outline = read(OpmlDocument(tree), &ok);
    ASSERT_TRUE(ok);
    platform::controls::TreeViewModel again;
    again.setTag("1");
    const OpmlImportCount count = ImportOpml(again, outline);
    EXPECT_EQ(shape(again), shape(tree));
    EXPECT_EQ(count.folders, 3);
    EXPECT_EQ(count.feeds, 4);

    // Importing it once more adds nothing and says why.
    const OpmlImportCount repeated = ImportOpml(again, outline);
    EXPECT_EQ(repeated.folders, 0);
    EXPECT_EQ(repeated.feeds, 0);
    EXPECT_EQ(repeated.skipped, 4);
    EXPECT_EQ(shape(again), shape(tree));
}

TEST(Opml, OtherReadersOutlinesFoldIntoTwoLevelsWithNothingLost) {
    bool ok = false;
    const OpmlOutline outline = read(R"(<?xml version="1.0" encoding="UTF-8"?>
<opml version="1.0"><head><title>購読</title></head><body>
  <outline title="loose" xmlUrl="http://127.0.0.1/loose.xml"/>
  <outline text="技術">
    <outline text="Web">
      <outline text="前端"><outline text="deep" type="rss" xmlUrl="http://127.0.0.1/deep.xml"/></outline>
      <outline text="web feed" type="rss" xmlUrl="http://127.0.0.1/web.xml" htmlUrl="http://127.0.0.1/"/>
    </outline>
    <outline text="known" type="rss" xmlUrl="http://127.0.0.1/known.xml"/>
  </outline>
</body></opml>)",
                                     &ok);
    ASSERT_TRUE(ok);
    platform::controls::TreeViewModel tree;
    tree.setTag("1");
    ASSERT_EQ(AddFolderNode(tree, QString(), "既存"), 0);
    tree.addNode("root_usr1", "http://127.0.0.1/known.xml", "known", "XML2");

    const OpmlImportCount count = ImportOpml(tree, outline);
    EXPECT_EQ(shape(tree),
              (QStringList{"0|既存|", "1|known|http://127.0.0.1/known.xml XML2", "0|購読|",
                           "1|loose|http://127.0.0.1/loose.xml XML", "0|技術|", "1|Web|",
                           "2|web feed|http://127.0.0.1/web.xml XML", "1|Web／前端|",
                           "2|deep|http://127.0.0.1/deep.xml XML"}));
    EXPECT_EQ(count.folders, 4);
    EXPECT_EQ(count.feeds, 3);
    EXPECT_EQ(count.skipped, 1);
    // What the feed list file can hold: the tree saves and loads the same.
    QTemporaryDir dir;
    SaveFeedList(tree, dir.filePath("Newslist.brd"));
    platform::controls::TreeViewModel loaded;
    ASSERT_EQ(LoadFeedList(loaded, dir.filePath("Newslist.brd")), 0);
    EXPECT_EQ(shape(loaded), shape(tree));
}

TEST(Opml, DocumentsThatAreNoOutlineOrAreHostileAreRefused) {
    for (const char* bytes :
         {"<rss><channel/></rss>", "<opml version=\"2.0\"><head/></opml>", "<opml><body>",
          "<?xml version=\"1.0\"?><!DOCTYPE o [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b "
          "\"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\"><!ENTITY c "
          "\"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\"><!ENTITY "
          "d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\"><!ENTITY e "
          "\"&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;\"><!ENTITY "
          "f \"&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;\"><!ENTITY g \"&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;\">]>"
          "<opml><body><outline text=\"&g;\" xmlUrl=\"http://x/\"/></body></opml>"}) {
        bool ok = true;
        read(bytes, &ok);
        EXPECT_FALSE(ok) << bytes;
    }
}
