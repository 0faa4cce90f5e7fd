#include "reader/app/Settings.h"
#include "platform/controls/TreeViewModel.h"
#include "platform/profile/PrivateProfile.h"
#include "platform/runtime/RuntimeError.h"
#include "support/RecordingMessages.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

using namespace quillet;
using platform::controls::TreeViewModel;
using testing_support::ProgramFolder;
using testing_support::readBytes;
using testing_support::writeBytes;

namespace {

// Every [General] key with the value 0, as a file needs them all to load.
QStringList generalSection() {
    QStringList lines{QStringLiteral("[General]")};
    for (const char* key : {"Saveurl", "SaveFavorite", "SaveHistory", "TvrSingleSel", "ShowLogo",
                            "LoadINI", "WriteINI", "DeleteLog", "DeleteHistory"})
        lines << QString::fromLatin1(key) + QStringLiteral("=0");
    return lines;
}

class SettingsFile : public ::testing::Test {
protected:
    QString ini() const { return folder.file("data/rss.ini"); }
    QString key(const char* section, const char* name) const {
        return platform::profile::getPrivateProfileString(QString::fromLatin1(section),
                                                          QString::fromLatin1(name),
                                                          QStringLiteral("<none>"), 1024, ini());
    }
    void load() { LoadSettings(ini(), folder.path(), settings, layout, tree); }

    ProgramFolder folder;
    Settings settings;
    WindowLayout layout;
    TreeViewModel tree;
    std::vector<testing_support::ShownMessage> shown;
    testing_support::RecordingMessages messages{shown};
};

} // namespace

TEST_F(SettingsFile, DefaultFileReadsBackWithDesignFontsAndDefaultSkin) {
    WriteDefaultSettings(ini());
    EXPECT_EQ(readBytes(ini()),
              QByteArray("[App]\r\nWidth=6000\r\nHeight=6000\r\nTop=0\r\nLeft=0\r\n"
                         "Folders=1\r\n\r\n[General]\r\nSaveurl=0\r\n"
                         "SaveFavorite=1\r\nSaveHistory=1\r\nTvrSingleSel=0\r\n"
                         "ShowLogo=0\r\nLoadINI=1\r\nWriteINI=1\r\n"
                         "DeleteLog=0\r\nDeleteHistory=0\r\n"));
    layout.width = 1;
    load();
    EXPECT_EQ(layout.width, 6000.0f);
    EXPECT_EQ(layout.height, 6000.0f);
    EXPECT_EQ(tree.tag(), QStringLiteral("1"));
    EXPECT_EQ(settings.general.SaveFavorite, 1);
    EXPECT_EQ(settings.general.WriteINI, 1);
    EXPECT_EQ(settings.general.DeleteLog, 0);
    EXPECT_FALSE(tree.singleSel());
    EXPECT_TRUE(settings.xml.xTitle.isEmpty());
    // No [Font] keys: the fonts the window was designed with stay.
    EXPECT_FALSE(layout.windowFont.hasName());
    EXPECT_FALSE(layout.treeFont.hasSize());
    EXPECT_EQ(settings.SkinFolder, folder.file("data/skin/default/"));
    EXPECT_EQ(settings.SkinName, QStringLiteral("default"));
}

TEST_F(SettingsFile, ReadsEveryKindOfValue) {
    const QString otherSkin = folder.file("data/skin/blue/");
    QDir().mkpath(otherSkin);
    writeBytes(otherSkin + QStringLiteral("header.html"), "x");
    writeBytes(
        ini(),
        testing_support::cp932Lines(
            QStringList{QStringLiteral("[App]"), QStringLiteral("Top=150"),
                        QStringLiteral("Left=300.5"), QStringLiteral("Width=12000"),
                        QStringLiteral("Height=9000"), QStringLiteral("Folders=12"),
                        QStringLiteral("[General]"), QStringLiteral("TvrSingleSel=3"),
                        QStringLiteral("DeleteLog=1.6")} +
            generalSection().mid(1) +
            QStringList{QStringLiteral("[XML]"), QStringLiteral("xTitle=dc:title"),
                        QStringLiteral("[Font]"),
                        QStringLiteral("TreeViewFontName=Noto Sans CJK JP"),
                        QStringLiteral("TreeViewFontSize=10.5"), QStringLiteral("[Skin]"),
                        QStringLiteral("SkinFolder=") + otherSkin, QStringLiteral("SkinName=青")}));
    load();
    EXPECT_EQ(layout.top, 150.0f);
    EXPECT_EQ(layout.left, 300.5f);
    EXPECT_EQ(tree.tag(), QStringLiteral("12"));
    EXPECT_TRUE(tree.singleSel());
    // 1.6 rounds to 2, which is not the value 1 the switches are compared with.
    EXPECT_EQ(settings.general.DeleteLog, 2);
    EXPECT_EQ(settings.xml.xTitle, QStringLiteral("dc:title"));
    EXPECT_EQ(layout.treeFont.name, QStringLiteral("Noto Sans CJK JP"));
    EXPECT_EQ(layout.treeFont.size, 10.5f);
    EXPECT_EQ(settings.SkinFolder, otherSkin);
    EXPECT_EQ(settings.SkinName, QStringLiteral("青"));
}

TEST_F(SettingsFile, MissingOrEmptySkinFolderFallsBackToTheDefault) {
    const QString empty = folder.file("data/skin/empty/");
    QDir().mkpath(empty);
    for (const QString& skin : {folder.file("data/skin/gone/"), empty}) {
        writeBytes(ini(),
                   testing_support::cp932Lines(
                       QStringList{QStringLiteral("[App]"), QStringLiteral("Top=0"),
                                   QStringLiteral("Left=0"), QStringLiteral("Width=1"),
                                   QStringLiteral("Height=1")} +
                       generalSection() +
                       QStringList{QStringLiteral("[Skin]"), QStringLiteral("SkinFolder=") + skin,
                                   QStringLiteral("SkinName=消えた")}));
        load();
        EXPECT_EQ(settings.SkinFolder, folder.file("data/skin/default/"));
        EXPECT_EQ(settings.SkinName, QStringLiteral("default"));
    }
}

TEST_F(SettingsFile, MissingEmptyOrUnreadableValuesTakeTheDefaultFilesValues) {
    // SaveFavorite missing, Width no number, Saveurl past 16 bits, Left empty,
    // a font size that is no number.
    writeBytes(ini(), "[App]\r\nTop=10\r\nLeft=\r\nWidth=abc\r\nHeight=777\r\n"
                      "Folders=x\r\n[General]\r\nSaveurl=40000\r\nSaveHistory=0\r\n"
                      "WriteINI=0\r\n[Font]\r\nWindowFontSize=big\r\nTreeViewFontSize=9\r\n");
    const QList<ReplacedSetting> replaced =
        LoadSettings(ini(), folder.path(), settings, layout, tree);
    EXPECT_EQ(layout.top, 10.0f);
    EXPECT_EQ(layout.left, 0.0f);
    EXPECT_EQ(layout.width, 6000.0f);
    EXPECT_EQ(layout.height, 777.0f); // keys after a bad one are read
    EXPECT_EQ(tree.tag(), QStringLiteral("1"));
    EXPECT_EQ(settings.general.Saveurl, 0);
    EXPECT_EQ(settings.general.SaveFavorite, 1);
    EXPECT_EQ(settings.general.SaveHistory, 0);
    EXPECT_EQ(settings.general.WriteINI, 0);
    EXPECT_EQ(settings.general.LoadINI, 1);
    EXPECT_FALSE(layout.windowFont.hasSize());
    EXPECT_EQ(layout.treeFont.size, 9.0f);

    QStringList names;
    for (const ReplacedSetting& setting : replaced)
        names << setting.section + QLatin1Char('/') + setting.key;
    EXPECT_EQ(names, (QStringList{"App/Left", "App/Width", "App/Folders", "General/Saveurl",
                                  "General/SaveFavorite", "General/TvrSingleSel",
                                  "General/ShowLogo", "General/LoadINI", "General/DeleteLog",
                                  "General/DeleteHistory", "Font/WindowFontSize"}));
    EXPECT_EQ(replacedSettingsText(replaced.mid(0, 2)),
              QStringLiteral(
                  "設定ファイルの次の値が読めないため既定値を使いました：[App]Left、[App]Width"));

    // Written back, the file reads whole at the next start; what was readable stays.
    WriteReplacedSettings(ini(), replaced);
    EXPECT_TRUE(LoadSettings(ini(), folder.path(), settings, layout, tree).isEmpty());
    EXPECT_EQ(key("General", "SaveFavorite"), QStringLiteral("1"));
    EXPECT_EQ(key("General", "WriteINI"), QStringLiteral("0"));
    EXPECT_EQ(key("App", "Height"), QStringLiteral("777"));
}

TEST_F(SettingsFile, LongValuesAreCutToTheBuffer) {
    WriteDefaultSettings(ini());
    const QString longName(1500, QLatin1Char('x'));
    platform::profile::writePrivateProfileString(QStringLiteral("XML"), QStringLiteral("xLink"),
                                                 longName, ini());
    load();
    EXPECT_EQ(settings.xml.xLink.size(), 1023);
}

TEST_F(SettingsFile, SaveWritesOwnKeysAndLeavesLoadAndWriteSwitches) {
    WriteDefaultSettings(ini());
    load();
    settings.general.WriteINI = 0;
    settings.general.LoadINI = 0;
    settings.general.DeleteLog = 1;
    settings.xml.xCreator = QStringLiteral("作者");
    settings.SkinName = QStringLiteral("標準");
    layout.width = 12345;
    tree.setTag(QStringLiteral("5"));
    SaveSettings(ini(), settings, layout, tree, messages);

    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(key("General", "WriteINI"), QStringLiteral("1"));
    EXPECT_EQ(key("General", "LoadINI"), QStringLiteral("1"));
    EXPECT_EQ(key("General", "DeleteLog"), QStringLiteral("1"));
    EXPECT_EQ(key("App", "Width"), QStringLiteral("12345"));
    EXPECT_EQ(key("App", "Folders"), QStringLiteral("5"));
    EXPECT_EQ(key("XML", "xCreator"), QStringLiteral("作者"));
    EXPECT_EQ(key("Skin", "SkinName"), QStringLiteral("標準"));
    EXPECT_EQ(key("Skin", "SkinFolder"), folder.file("data/skin/default/"));
    EXPECT_EQ(key("Font", "WindowFontName"), QStringLiteral("<none>"));
    // [General] keys stay in their section, before [XML].
    const QByteArray bytes = readBytes(ini());
    EXPECT_LT(bytes.indexOf("DeleteLog=1"), bytes.indexOf("[XML]"));
}

TEST_F(SettingsFile, SaveIntoMissingFolderShowsTheErrorMessage) {
    SaveSettings(folder.file("data/nowhere/rss.ini"), settings, layout, tree, messages);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, QStringLiteral("エラーが生じました"));
    EXPECT_EQ(shown[0].title, QStringLiteral("Quillet"));
    EXPECT_EQ(shown[0].icon, platform::MsgIcon::Critical);
}
