#include "reader/catalogue/AddFeedDialog.h"
#include "reader/catalogue/AddFeedModel.h"
#include "reader/mainwindow/MainWindowModel.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace quillet;
using Result = AddFeedModel::Result;

namespace {

class AddFeed : public ::testing::Test {
protected:
    AddFeed() {
        auto& tree = window.tvw1;
        tree.addNode(QString(), "root_usr1", "ニュース", "CLOSE", "OPEN");
        tree.addNode("root_usr1", "http://a/rss", "A", "XML");
        tree.addNode("root_usr1", "usr2", "技術", "OPEN");
        tree.addNode("usr2", "http://b/rdf", "B", "XML2");
        tree.addNode(QString(), "root_usr3", "ニュース", "CLOSE", "OPEN");
        tree.addNode("root_usr3", "http://c/", "C", "IE");
        tree.addNode("root_usr3", "http://d/doc", "D", "DOC");
        window.stb1.setPanelText(1, "before");
    }
    // Picks the folder of the main tree with this key in the dialog's picker.
    static void pick(AddFeedModel& model, const QString& key) {
        model.tvw1.setSelectedIndex(model.tvw1.indexOfKey(key));
    }
    int nodeOf(const QString& key) const { return window.tvw1.indexOfKey(key); }
    QString status() const { return window.stb1.panelText(1); }

    MainWindowModel window;
};

} // namespace

TEST_F(AddFeed, OpensInAddModeWithEveryFolderInTheMainTreeOrder) {
    AddFeedModel model(window);
    EXPECT_FALSE(model.isPropertiesMode());
    EXPECT_EQ(model.caption, QStringLiteral("■新規ニュース追加"));
    EXPECT_EQ(model.cmdAddCaption, QStringLiteral("追加(&A)"));
    EXPECT_EQ(model.txtName, QStringLiteral("新規ニュース"));
    EXPECT_EQ(model.comSelect.listIndex(), 0);
    EXPECT_EQ(model.comRss.listIndex(), 0);
    EXPECT_EQ(model.comRss.entries(), QStringList({"0.91", "0.92", "1.00", "2.00"}));

    // Flat, sub-folders included, every one closed, feeds left out.
    ASSERT_EQ(model.tvw1.count(), 3);
    EXPECT_EQ(model.tvw1.topLevelNodes().size(), 3);
    EXPECT_EQ(model.tvw1.key(1), QStringLiteral("root_usr1"));
    EXPECT_EQ(model.tvw1.key(2), QStringLiteral("usr2"));
    EXPECT_EQ(model.tvw1.text(2), QStringLiteral("技術"));
    EXPECT_EQ(model.tvw1.image(2), QStringLiteral("CLOSE"));
    EXPECT_EQ(model.tvw1.key(3), QStringLiteral("root_usr3"));
    EXPECT_EQ(model.tvw1.selectedIndex(), 0);
}

TEST_F(AddFeed, KindFollowsSiteKindAndVersionAndTheTimerGatesTheVersion) {
    AddFeedModel model(window);
    const QStringList kinds = {"XML", "XML", "XML2", "XML"};
    for (int version = 0; version < 4; ++version) {
        model.comRss.setListIndex(version);
        EXPECT_EQ(model.kindCode(), kinds[version]) << version;
    }
    model.comSelect.setListIndex(1);
    EXPECT_EQ(model.kindCode(), QStringLiteral("IE")); // the version shown is ignored
    EXPECT_TRUE(model.comRssEnabled);                  // until the timer runs
    model.tick();
    EXPECT_FALSE(model.comRssEnabled);
    model.comSelect.setListIndex(0);
    model.tick();
    EXPECT_TRUE(model.comRssEnabled);
}

TEST_F(AddFeed, AddsUnderThePickedFolderWithTheUrlTrimmedAndTheTitleAsTyped) {
    AddFeedModel model(window);
    model.txtName = "  ";
    model.txtURL = "  http://new/rss  ";
    model.comRss.setListIndex(2);
    pick(model, "usr2");
    ASSERT_EQ(model.confirm(), Result::Added);

    const int added = nodeOf("http://new/rss");
    ASSERT_NE(added, 0);
    EXPECT_EQ(window.tvw1.text(added), QStringLiteral("  "));
    EXPECT_EQ(window.tvw1.image(added), QStringLiteral("XML2"));
    EXPECT_EQ(window.tvw1.childrenOf(nodeOf("usr2")).last(), added);
    EXPECT_EQ(status(), QStringLiteral("技術に[  ]を追加しました。"));
}

TEST_F(AddFeed, TwoFoldersOfOneNameTheLastOneGetsTheFeedAndFeedsOfThatNameNone) {
    window.tvw1.addNode("root_usr3", "http://news/", "ニュース", "XML");
    AddFeedModel model(window);
    model.txtURL = "http://new/";
    pick(model, "root_usr1"); // the first of the two named ニュース
    ASSERT_EQ(model.confirm(), Result::Added);
    EXPECT_EQ(window.tvw1.parentOf(nodeOf("http://new/")), nodeOf("root_usr3"));
    EXPECT_EQ(status(), QStringLiteral("ニュースに[新規ニュース]を追加しました。"));
}

TEST_F(AddFeed, RefusesATakenUrlAndStaysOpenForACorrection) {
    AddFeedModel model(window);
    model.txtURL = " http://a/rss ";
    pick(model, "root_usr3");
    const int before = window.tvw1.count();
    EXPECT_EQ(model.confirm(), Result::Duplicate);
    EXPECT_EQ(window.tvw1.count(), before);
    EXPECT_EQ(window.tvw1.parentOf(nodeOf("http://a/rss")), nodeOf("root_usr1"));
    EXPECT_EQ(status(), QStringLiteral("[ http://a/rss ]はすでに追加されています。"));

    model.txtURL = "http://a/rss2";
    EXPECT_EQ(model.confirm(), Result::Added);
}

TEST_F(AddFeed, MissingTitleUrlOrFolderDoesNothingSilently) {
    AddFeedModel model(window);
    const int before = window.tvw1.count();
    model.txtURL = "http://new/";
    EXPECT_EQ(model.confirm(), Result::Ignored); // no folder picked
    pick(model, "root_usr1");
    model.txtName.clear();
    EXPECT_EQ(model.confirm(), Result::Ignored);
    model.txtName = "N";
    model.txtURL = "   "; // would be a node without a key
    EXPECT_EQ(model.confirm(), Result::Ignored);
    model.txtURL.clear();
    EXPECT_EQ(model.confirm(), Result::Ignored);
    EXPECT_EQ(window.tvw1.count(), before);
    EXPECT_EQ(status(), QStringLiteral("before"));

    MainWindowModel empty; // no folders: nothing can be picked
    AddFeedModel lonely(empty);
    lonely.txtURL = "http://new/";
    EXPECT_EQ(lonely.tvw1.count(), 0);
    EXPECT_EQ(lonely.confirm(), Result::Ignored);
    EXPECT_EQ(empty.tvw1.count(), 0);
}

TEST_F(AddFeed, PropertiesShowTheNodeAndItsKind) {
    AddFeedModel rss(window);
    rss.prepareProperties(nodeOf("http://b/rdf"));
    EXPECT_TRUE(rss.isPropertiesMode());
    EXPECT_EQ(rss.caption, QStringLiteral("■ニュースのプロパティ"));
    EXPECT_EQ(rss.cmdAddCaption, QStringLiteral("変更(&C)"));
    EXPECT_EQ(rss.txtName, QStringLiteral("B"));
    EXPECT_EQ(rss.txtURL, QStringLiteral("http://b/rdf"));
    EXPECT_EQ(rss.comSelect.listIndex(), 0);
    EXPECT_EQ(rss.comRss.listIndex(), 2);

    AddFeedModel site(window);
    site.prepareProperties(nodeOf("http://c/"));
    EXPECT_EQ(site.comSelect.listIndex(), 1);
    EXPECT_FALSE(site.comRssEnabled);
}

TEST_F(AddFeed, ChangingAppliesTitleKindAndUrlInPlaceOfTheNode) {
    window.tvw1.setSelectedIndex(nodeOf("http://a/rss"));
    AddFeedModel model(window);
    model.prepareProperties(nodeOf("http://a/rss"));
    model.txtName = "A2";
    model.txtURL = " http://a2/rss ";
    model.comRss.setListIndex(2);
    ASSERT_EQ(model.confirm(), Result::Changed);

    EXPECT_EQ(nodeOf("http://a/rss"), 0);
    const int node = nodeOf("http://a2/rss");
    ASSERT_NE(node, 0);
    EXPECT_EQ(window.tvw1.text(node), QStringLiteral("A2"));
    EXPECT_EQ(window.tvw1.image(node), QStringLiteral("XML2"));
    EXPECT_EQ(window.tvw1.parentOf(node), nodeOf("root_usr1"));
    EXPECT_EQ(window.tvw1.selectedIndex(), node);
    EXPECT_EQ(status(), QStringLiteral("[A2]を変更しました。"));
    // It keeps its place: still the folder's first entry, in the saved order too.
    EXPECT_EQ(window.tvw1.childrenOf(nodeOf("root_usr1")).front(), node);
    EXPECT_EQ(node, 2);
    // The rest of the folder is untouched.
    EXPECT_EQ(window.tvw1.parentOf(nodeOf("http://b/rdf")), nodeOf("usr2"));
    EXPECT_EQ(window.tvw1.parentOf(nodeOf("usr2")), nodeOf("root_usr1"));
}

TEST_F(AddFeed, ChangingRefusesAnotherFeedsUrlButKeepsItsOwn) {
    AddFeedModel model(window);
    model.prepareProperties(nodeOf("http://d/doc"));
    model.txtURL = "http://c/";
    EXPECT_EQ(model.confirm(), Result::Duplicate);
    EXPECT_EQ(status(), QStringLiteral("[http://c/]はすでに追加されています。"));
    EXPECT_EQ(window.tvw1.text(nodeOf("http://c/")), QStringLiteral("C"));

    // Its own URL is no duplicate, and a kind the fields cannot show survives
    // as long as the fields are left alone.
    model.txtURL = "http://d/doc";
    model.txtName = "D2";
    EXPECT_EQ(model.confirm(), Result::Changed);
    EXPECT_EQ(window.tvw1.text(nodeOf("http://d/doc")), QStringLiteral("D2"));
    EXPECT_EQ(window.tvw1.image(nodeOf("http://d/doc")), QStringLiteral("DOC"));
}

TEST_F(AddFeed, ChangingAFolderRenamesItOnly) {
    AddFeedModel model(window);
    model.prepareProperties(nodeOf("usr2"));
    model.txtName = "科学";
    model.txtURL = "http://x/";
    model.comSelect.setListIndex(1);
    ASSERT_EQ(model.confirm(), Result::Changed);
    const int folder = nodeOf("usr2");
    EXPECT_EQ(window.tvw1.text(folder), QStringLiteral("科学"));
    EXPECT_EQ(window.tvw1.image(folder), QStringLiteral("OPEN"));
    EXPECT_EQ(window.tvw1.childrenOf(folder).size(), 1);
    EXPECT_EQ(nodeOf("http://x/"), 0);
}

TEST_F(AddFeed, DialogShowsThePresetModelAndClosesOnlyWhenItAdds) {
    AddFeedDialog dialog(window);
    dialog.model().txtURL = "http://a/rss";
    dialog.model().comSelect.setListIndex(1);
    pick(dialog.model(), "root_usr1");
    dialog.show();

    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("■新規ニュース追加"));
    auto* url = dialog.findChild<QLineEdit*>("txtURL");
    ASSERT_NE(url, nullptr);
    EXPECT_EQ(url->text(), QStringLiteral("http://a/rss"));
    EXPECT_EQ(dialog.findChild<QLineEdit*>("txtName")->text(), QStringLiteral("新規ニュース"));
    EXPECT_EQ(dialog.findChild<QComboBox*>("comSelect")->currentIndex(), 1);
    EXPECT_FALSE(dialog.findChild<QComboBox*>("comRss")->isEnabled());
    auto* add = dialog.findChild<QPushButton*>("cmdAdd");
    EXPECT_EQ(add->text(), QStringLiteral("追加(&A)"));

    add->click();
    EXPECT_EQ(dialog.lastResult(), Result::Duplicate);
    EXPECT_TRUE(dialog.isVisible());

    dialog.model().txtURL = "http://new/";
    add->click();
    EXPECT_EQ(dialog.lastResult(), Result::Added);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(window.tvw1.image(nodeOf("http://new/")), QStringLiteral("IE"));
}
