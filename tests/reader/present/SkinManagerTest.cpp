#include "platform/text/Codepage.h"
#include "reader/app/AppState.h"
#include "reader/present/SkinDescription.h"
#include "reader/present/SkinManagerModel.h"
#include "support/RecordingMessages.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

using namespace quillet;
using testing_support::cp932Lines;
using testing_support::ProgramFolder;
using testing_support::readBytes;
using testing_support::RecordingMessages;
using testing_support::ShownMessage;
using testing_support::writeBytes;

TEST(SkinDescription, PrefixesMatchExactlyTheLastLineWinsAndValuesStayWhole) {
    const SkinDescription skin = parseSkinDescription(
        {QStringLiteral("##skinname=小文字"), QStringLiteral(" ##Creator=字下げ"),
         QStringLiteral("##Comment=最初"), QStringLiteral("##Comment=a = b  c "),
         QStringLiteral("##Email=x@y"), QStringLiteral("##Homepage=http://h/?q=1"),
         QStringLiteral("##CreateDate=")});
    EXPECT_TRUE(skin.name.isEmpty());
    EXPECT_TRUE(skin.creator.isEmpty());
    EXPECT_EQ(skin.comment, QStringLiteral("a = b  c "));
    EXPECT_EQ(skin.email, QStringLiteral("x@y"));
    EXPECT_EQ(skin.homepage, QStringLiteral("http://h/?q=1"));
    EXPECT_TRUE(skin.createDate.isEmpty());
}

namespace {

class SkinManager : public ::testing::Test {
protected:
    explicit SkinManager(platform::MsgResult answer = platform::MsgResult::Yes)
        : app(folder.path(), std::make_unique<RecordingMessages>(shown, answer)) {
        app.settings.SkinName = QStringLiteral("default");
        app.settings.SkinFolder = folder.file("data/skin/default/");
        app.CurrentFeedName = QStringLiteral("今のフィード");
        skin("default", {QStringLiteral("##SkinName=標準"), QStringLiteral("##Creator=作者A")});
        skin("night",
             {QStringLiteral("##SkinName=夜"), QStringLiteral("##Creator=作者B"),
              QStringLiteral("##Homepage=http://night/"), QStringLiteral("##Email=<b>mail</b>")});
        QDir().mkpath(folder.file("data/skin/empty")); // no maker.txt: not listed
        writeBytes(folder.file("data/skin/night/header.html"), cp932Lines({"<h>&&NUMBER&&"}));
        writeBytes(folder.file("data/skin/night/body.html"),
                   cp932Lines({"<a href=\"&&HTTP_REF&&\">&&TITLE&&</a>&&DESCRIPTION&&"}));
        writeBytes(folder.file("data/skin/night/footer.html"), cp932Lines({"</h>"}));
    }
    void skin(const char* name, const QStringList& maker) {
        const QString dir = folder.file("data/skin/") + QString::fromLatin1(name);
        QDir().mkpath(dir);
        writeBytes(dir + QStringLiteral("/maker.txt"), cp932Lines(maker));
    }
    QString previewPage() {
        return platform::text::decodeCp932(readBytes(folder.file("data/temp/skinpreview.html")));
    }

    ProgramFolder folder;
    std::vector<ShownMessage> shown;
    AppState app;
    platform::controls::StatusBarModel mainStatus{2};
};

class SkinManagerAnsweringNo : public SkinManager {
protected:
    SkinManagerAnsweringNo() : SkinManager(platform::MsgResult::No) {}
};

} // namespace

TEST_F(SkinManager, ListsSkinsWithDescriptionsByFolderName) {
    SkinManagerModel manager(app, mainStatus);
    ASSERT_EQ(manager.lvw1.count(), 2);
    EXPECT_EQ(manager.lvw1.itemText(1, 0), QStringLiteral("標準"));
    EXPECT_EQ(manager.lvw1.itemText(2, 0), QStringLiteral("夜"));
    EXPECT_EQ(manager.lvw1.itemText(2, SkinManagerModel::Folder), folder.file("data/skin/night/"));
    EXPECT_EQ(manager.txtSkin[0], QStringLiteral("default"));
    EXPECT_EQ(manager.txtSkin[1], folder.file("data/skin/default/"));
}

TEST_F(SkinManager, PreviewShowsTheSkinRowsAsArticlesAndFillsTheDetails) {
    SkinManagerModel manager(app, mainStatus);
    manager.lvw1.setSelectedRow(2);
    writeBytes(folder.file("data/temp/gateway.html"), "feed page");
    EXPECT_EQ(manager.preview(), folder.file("data/temp/skinpreview.html"));
    // The main window's article page stays the feed's.
    EXPECT_EQ(readBytes(folder.file("data/temp/gateway.html")), QByteArray("feed page"));
    const QString page = previewPage();
    EXPECT_TRUE(page.contains(QStringLiteral("<h>2"))) << page.toStdString();
    EXPECT_TRUE(page.contains(QStringLiteral("<a href=\"http://night/\">作者B</a><b>mail</b>")));
    EXPECT_EQ(manager.lbStatus[0], QStringLiteral("夜"));
    EXPECT_EQ(manager.lbStatus[1], QStringLiteral("作者B"));

    // The default skin here has no body template: no page, the details still change.
    manager.lvw1.setSelectedRow(1);
    EXPECT_TRUE(manager.preview().isEmpty());
    EXPECT_EQ(manager.lbStatus[0], QStringLiteral("標準"));
    EXPECT_TRUE(previewPage().contains(QStringLiteral("作者B")));
}

TEST_F(SkinManager, SettingAnotherSkinAsksThenChangesBothSettingsAndReports) {
    SkinManagerModel manager(app, mainStatus);
    manager.lvw1.setSelectedRow(2);
    EXPECT_EQ(manager.cmdSet(), SkinManagerModel::Outcome::Close);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].title, QStringLiteral("■スキン変更確認"));
    EXPECT_EQ(shown[0].text, QStringLiteral("現在のスキンから以下のスキンに変更しますか?\r\n\r\n"
                                            "スキン名：夜\r\nスキンフォルダ：") +
                                 folder.file("data/skin/night/"));
    EXPECT_EQ(app.settings.SkinName, QStringLiteral("夜"));
    EXPECT_EQ(app.settings.SkinFolder, folder.file("data/skin/night/"));
    EXPECT_EQ(manager.txtSkin[0], QStringLiteral("夜"));
    EXPECT_TRUE(manager.stb1.panelText(1).startsWith(QStringLiteral("[夜]に変更しました。[")));
    EXPECT_TRUE(mainStatus.panelText(1).startsWith(QStringLiteral("[夜]に変更しました。[")));
}

TEST_F(SkinManager, TheCurrentSkinIsNotAskedForAndAnEmptyListStaysOpen) {
    SkinManagerModel manager(app, mainStatus);
    manager.lvw1.setSelectedRow(1);
    EXPECT_EQ(manager.cmdSet(), SkinManagerModel::Outcome::Close);
    EXPECT_TRUE(shown.empty());
    EXPECT_TRUE(mainStatus.panelText(1).startsWith(QStringLiteral("[default]に変更しました。")));

    QDir(folder.file("data/skin")).removeRecursively();
    SkinManagerModel none(app, mainStatus);
    EXPECT_EQ(none.cmdSet(), SkinManagerModel::Outcome::Stay);
}

TEST_F(SkinManagerAnsweringNo, NoKeepsTheSkinAndStillReportsTheCurrentName) {
    SkinManagerModel manager(app, mainStatus);
    manager.lvw1.setSelectedRow(2);
    EXPECT_EQ(manager.cmdSet(), SkinManagerModel::Outcome::Close);
    EXPECT_EQ(app.settings.SkinFolder, folder.file("data/skin/default/"));
    EXPECT_TRUE(manager.stb1.panelText(1).isEmpty());
    EXPECT_TRUE(mainStatus.panelText(1).startsWith(QStringLiteral("[default]に変更しました。")));
}
