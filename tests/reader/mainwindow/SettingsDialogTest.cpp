#include "platform/profile/PrivateProfile.h"
#include "reader/app/AppState.h"
#include "reader/mainwindow/MainWindowModel.h"
#include "reader/mainwindow/SettingsDialogModel.h"
#include "support/RecordingMessages.h"
#include "support/RecordingView.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>
#include <map>

using namespace quillet;
using testing_support::ProgramFolder;
using testing_support::RecordingMessages;
using testing_support::ShownMessage;

namespace {

class FontView : public testing_support::RecordingView {
public:
    FontSetting areaFont(FontArea area) const override { return fonts.at(area); }
    void setAreaFont(FontArea area, const FontSetting& font) override { fonts[area] = font; }
    std::map<FontArea, FontSetting> fonts{{FontArea::Window, {QStringLiteral("Win"), 9}},
                                          {FontArea::Tree, {QStringLiteral("Tree"), 10.5f}},
                                          {FontArea::List, {QStringLiteral("List"), 11}},
                                          {FontArea::StatusBar, {QStringLiteral("Win"), 9}}};
};

class SettingsPage : public ::testing::Test {
protected:
    SettingsPage() : app(folder.path(), std::make_unique<RecordingMessages>(shown)) {
        app.settings.general.SaveFavorite = 1;
        app.settings.general.WriteINI = 2; // not a plain switch value: kept as it is
        app.settings.xml.xTitle = QStringLiteral("title");
        app.settings.xml.xLink = QStringLiteral("dc:link");
        testing_support::writeBytes(folder.file("data/brd/01_news.brd"), "");
        testing_support::writeBytes(folder.file("data/brd/02_tech.brd"), "");
        window.File1.setPath(folder.file("data/brd/"));
    }
    QString ini(const char* section, const char* key) {
        return platform::profile::getPrivateProfileString(QString::fromLatin1(section),
                                                          QString::fromLatin1(key), QString(), 1024,
                                                          folder.file("data/rss.ini"));
    }

    ProgramFolder folder;
    std::vector<ShownMessage> shown;
    AppState app;
    MainWindowModel window;
    FontView view;
};

} // namespace

TEST_F(SettingsPage, LoadShowsTheSettingsFontsAndFeedLists) {
    SettingsDialogModel dialog(app, window, view);
    EXPECT_EQ(dialog.shownFrame, 0);
    EXPECT_EQ(dialog.tvw1.count(), 8);
    EXPECT_EQ(dialog.tvw1.key(3), QStringLiteral("GetNews"));
    EXPECT_EQ(dialog.tvw1.parentOf(3), 2);
    EXPECT_EQ(dialog.chkGeneral[1], 1);
    EXPECT_EQ(dialog.chkGeneral[6], 2);
    EXPECT_FALSE(dialog.chkTag[0]); // equal to its default
    EXPECT_FALSE(dialog.tagTextEnabled(0));
    EXPECT_TRUE(dialog.chkTag[3]);
    EXPECT_EQ(dialog.txtTag[3], QStringLiteral("dc:link"));
    EXPECT_EQ(dialog.txtFontName[0], QStringLiteral("Win"));
    EXPECT_EQ(dialog.txtFontSize[1], QStringLiteral("10.5"));
    EXPECT_EQ(dialog.txtFontName[3], QStringLiteral("Win"));
    EXPECT_EQ(dialog.op1, 1); // the areas have fonts of their own
    EXPECT_EQ(dialog.lst1, (QStringList{QStringLiteral("01_news"), QStringLiteral("02_tech")}));
}

TEST_F(SettingsPage, PagesFollowTheTreeAndParentNodesKeepThePage) {
    SettingsDialogModel dialog(app, window, view);
    dialog.nodeClick(dialog.tvw1.indexOfKey(QStringLiteral("xmlTag")));
    EXPECT_EQ(dialog.shownFrame, 3);
    EXPECT_EQ(dialog.lbTitle, QStringLiteral("■取得タグ設定"));
    dialog.nodeClick(dialog.tvw1.indexOfKey(QStringLiteral("Fonts")));
    EXPECT_EQ(dialog.shownFrame, 3);
    dialog.nodeClick(dialog.tvw1.indexOfKey(QStringLiteral("FilterSetup")));
    EXPECT_EQ(dialog.lbTitle, QStringLiteral("■フィルタ設定"));
    EXPECT_EQ(dialog.shownFrame, 1);
}

TEST_F(SettingsPage, ApplySetsSwitchesTagsAndTheTreesSelectionStyle) {
    SettingsDialogModel dialog(app, window, view);
    dialog.chkGeneral[3] = 1;
    dialog.chkGeneral[1] = 0;
    dialog.txtTag[3] = QString();
    dialog.txtTag[0] = QStringLiteral("  dc:title ");
    dialog.setTagChecked(4, false); // the check box does not decide what is stored
    dialog.txtTag[4] = QStringLiteral("author");
    ASSERT_TRUE(dialog.cmdChange());
    EXPECT_EQ(app.settings.general.TvrSingleSel, 1);
    EXPECT_EQ(app.settings.general.SaveFavorite, 0);
    EXPECT_EQ(app.settings.general.WriteINI, 2);
    EXPECT_TRUE(window.tvw1.singleSel());
    EXPECT_EQ(app.settings.xml.xLink, QStringLiteral("link"));
    EXPECT_EQ(app.settings.xml.xTitle, QStringLiteral("dc:title"));
    EXPECT_EQ(app.settings.xml.xCreator, QStringLiteral("author"));
    EXPECT_EQ(app.settings.xml.xDate, QStringLiteral("date"));
}

TEST_F(SettingsPage, FontsApplyAtOnceAndReachTheSettingsFile) {
    SettingsDialogModel dialog(app, window, view);
    dialog.txtFontName[1] = QStringLiteral("Noto Sans");
    dialog.txtFontSize[1] = QStringLiteral("12");
    dialog.txtFontName[3] = QStringLiteral("Noto Serif");
    ASSERT_TRUE(dialog.cmdChange());
    EXPECT_EQ(view.fonts[FontArea::Tree].name, QStringLiteral("Noto Sans"));
    EXPECT_EQ(view.fonts[FontArea::StatusBar].name, QStringLiteral("Noto Serif"));
    EXPECT_EQ(view.fonts[FontArea::List].name, QStringLiteral("List"));
    EXPECT_EQ(ini("Font", "TreeViewFontName"), QStringLiteral("Noto Sans"));
    EXPECT_EQ(ini("Font", "TreeViewFontSize"), QStringLiteral("12"));
    EXPECT_EQ(ini("Font", "WindowFontName"), QStringLiteral("Noto Serif"));
    EXPECT_EQ(ini("Font", "ListViewFontSize"), QStringLiteral("11"));
    EXPECT_EQ(window.layout.treeFont.name, QStringLiteral("Noto Sans"));

    // One font for everything.
    SettingsDialogModel again(app, window, view);
    again.op1 = 0;
    again.txtFontName[0] = QStringLiteral("One");
    again.txtFontSize[0] = QStringLiteral("10.5");
    ASSERT_TRUE(again.cmdChange());
    for (const auto& [area, font] : view.fonts) {
        EXPECT_EQ(font.name, QStringLiteral("One"));
        EXPECT_EQ(font.size, 10.5f);
    }
    EXPECT_EQ(ini("Font", "ListViewFontName"), QStringLiteral("One"));
    EXPECT_EQ(ini("Font", "WindowFontSize"), QStringLiteral("10.5"));
}

TEST_F(SettingsPage, AFontSizeThatIsNoNumberIsRefusedAndNothingApplies) {
    SettingsDialogModel dialog(app, window, view);
    dialog.txtFontSize[2] = QStringLiteral("大きい");
    dialog.chkGeneral[3] = 1;
    EXPECT_FALSE(dialog.cmdOK());
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(app.settings.general.TvrSingleSel, 0);
    EXPECT_EQ(view.fonts[FontArea::Tree].name, QStringLiteral("Tree"));
    EXPECT_TRUE(ini("Font", "TreeViewFontName").isEmpty());
}

TEST_F(SettingsPage, TheFilterIsStoredAndHidesMatchingArticles) {
    SettingsDialogModel dialog(app, window, view);
    EXPECT_FALSE(dialog.filterRowsEnabled());
    dialog.chkFilter = true;
    dialog.chk1[1] = true;
    dialog.txtFilter1[1] = QStringLiteral("広告；PR");
    dialog.txtFilter1[2] = QStringLiteral("天気"); // its switch is off
    ASSERT_TRUE(dialog.cmdChange());
    const ArticleFilter& filter = app.settings.filter;
    EXPECT_TRUE(filter.hides(QStringLiteral("新製品のPR"), QString()));
    EXPECT_TRUE(filter.hides(QStringLiteral("記事"), QStringLiteral("<b>広告</b>")));
    EXPECT_FALSE(filter.hides(QStringLiteral("天気"), QString()));
    EXPECT_EQ(ini("Filter", "Filtering"), QStringLiteral("1"));

    ArticleFilter loaded;
    LoadArticleFilter(folder.file("data/rss.ini"), loaded);
    EXPECT_TRUE(loaded.hides(QStringLiteral("PR"), QString()));
    EXPECT_EQ(loaded.words[2], QStringLiteral("天気"));
    loaded.Filtering = 0;
    EXPECT_FALSE(loaded.hides(QStringLiteral("PR"), QString()));
}
