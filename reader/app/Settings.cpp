#include "reader/app/Settings.h"

#include "platform/controls/TreeViewModel.h"
#include "platform/profile/PrivateProfile.h"
#include "platform/runtime/EventLoop.h"
#include "platform/runtime/MessageBox.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/text/LineFile.h"
#include "reader/app/ProgramPaths.h"

#include <QDir>

namespace quillet {

namespace {

constexpr int KeyBufferSize = 1024;

QString readKey(const QString& path, const char* section, const char* key) {
    QString value = platform::profile::getPrivateProfileString(
        QString::fromLatin1(section), QString::fromLatin1(key), QString(), KeyBufferSize, path);
    // The buffer holds what came before the first NUL character.
    const qsizetype nul = value.indexOf(QChar(0));
    if (nul >= 0)
        value.truncate(nul);
    return value;
}

// An empty text keeps the design-time font; any other text must be a number.
void readFont(const QString& path, const char* nameKey, const char* sizeKey, FontSetting& font) {
    const QString name = readKey(path, "Font", nameKey);
    if (!name.isEmpty())
        font.name = name;
    const QString size = readKey(path, "Font", sizeKey);
    if (!size.trimmed().isEmpty())
        font.size = platform::toSingle(size);
}

// A folder path (ending with the separator) that holds at least one file, or a
// path naming an existing file, as a directory listing of the text would find.
bool listingFindsAFile(const QString& text) {
    if (text.endsWith(QLatin1Char('/'))) {
        const QDir dir(text);
        return dir.exists() && !dir.entryList(QDir::Files | QDir::Hidden).isEmpty();
    }
    return platform::text::fileExists(text);
}

} // namespace

void LoadSettings(const QString& path, const QString& programFolder, Settings& settings,
                  WindowLayout& layout, platform::controls::TreeViewModel& tree) {
    platform::yieldOnce();

    layout.top = platform::toSingle(readKey(path, "App", "Top"));
    layout.left = platform::toSingle(readKey(path, "App", "Left"));
    layout.width = platform::toSingle(readKey(path, "App", "Width"));
    layout.height = platform::toSingle(readKey(path, "App", "Height"));
    tree.setTag(readKey(path, "App", "Folders"));

    GeneralSettings& general = settings.general;
    general.Saveurl = platform::toInt16(readKey(path, "General", "Saveurl"));
    general.SaveFavorite = platform::toInt16(readKey(path, "General", "SaveFavorite"));
    general.SaveHistory = platform::toInt16(readKey(path, "General", "SaveHistory"));
    general.TvrSingleSel = platform::toInt16(readKey(path, "General", "TvrSingleSel"));
    tree.setSingleSel(general.TvrSingleSel != 0);
    general.ShowLogo = platform::toInt16(readKey(path, "General", "ShowLogo"));
    general.LoadINI = platform::toInt16(readKey(path, "General", "LoadINI"));
    general.WriteINI = platform::toInt16(readKey(path, "General", "WriteINI"));
    general.DeleteLog = platform::toInt16(readKey(path, "General", "DeleteLog"));
    general.DeleteHistory = platform::toInt16(readKey(path, "General", "DeleteHistory"));

    XmlNameOverrides& xml = settings.xml;
    xml.xTitle = readKey(path, "XML", "xTitle");
    xml.xDescription = readKey(path, "XML", "xDescription");
    xml.xDate = readKey(path, "XML", "xDate");
    xml.xLink = readKey(path, "XML", "xLink");
    xml.xCreator = readKey(path, "XML", "xCreator");

    readFont(path, "WindowFontName", "WindowFontSize", layout.windowFont);
    readFont(path, "TreeViewFontName", "TreeViewFontSize", layout.treeFont);
    readFont(path, "ListViewFontName", "ListViewFontSize", layout.listFont);

    const QString skinFolder = readKey(path, "Skin", "SkinFolder");
    if (!skinFolder.isEmpty() && listingFindsAFile(skinFolder)) {
        settings.SkinFolder = skinFolder;
        settings.SkinName = readKey(path, "Skin", "SkinName");
    } else {
        settings.SkinFolder = programFile(programFolder, paths::DefaultSkin);
        settings.SkinName = QStringLiteral("default");
    }
    LoadArticleFilter(path, settings.filter);
}

void SaveSettings(const QString& path, const Settings& settings, const WindowLayout& layout,
                  const platform::controls::TreeViewModel& tree,
                  platform::MessagePresenter& messages) {
    platform::yieldOnce();

    const GeneralSettings& general = settings.general;
    const XmlNameOverrides& xml = settings.xml;
    const struct {
        const char* section;
        const char* key;
        QString value;
    } entries[] = {
        {"App", "Top", platform::singleToText(layout.top)},
        {"App", "Left", platform::singleToText(layout.left)},
        {"App", "Width", platform::singleToText(layout.width)},
        {"App", "Height", platform::singleToText(layout.height)},
        {"App", "Folders", tree.tag()},
        {"General", "Saveurl", QString::number(general.Saveurl)},
        {"General", "SaveFavorite", QString::number(general.SaveFavorite)},
        {"General", "SaveHistory", QString::number(general.SaveHistory)},
        {"General", "TvrSingleSel", QString::number(general.TvrSingleSel)},
        {"General", "ShowLogo", QString::number(general.ShowLogo)},
        {"General", "DeleteLog", QString::number(general.DeleteLog)},
        {"General", "DeleteHistory", QString::number(general.DeleteHistory)},
        {"XML", "xTitle", xml.xTitle},
        {"XML", "xDescription", xml.xDescription},
        {"XML", "xDate", xml.xDate},
        {"XML", "xLink", xml.xLink},
        {"XML", "xCreator", xml.xCreator},
        {"Skin", "SkinName", settings.SkinName},
        {"Skin", "SkinFolder", settings.SkinFolder},
    };
    // One replacement of the file for all keys, so that a crash while saving
    // leaves the settings of before or those of now, never a mix.
    std::vector<platform::profile::ProfileEntry> changes;
    for (const auto& entry : entries)
        changes.push_back(
            {QString::fromLatin1(entry.section), QString::fromLatin1(entry.key), entry.value});
    if (!platform::profile::writePrivateProfileStrings(changes, path))
        messages.show(QStringLiteral("エラーが生じました"), platform::MsgButtons::Ok,
                      platform::MsgIcon::Critical, QStringLiteral("Quillet"));
}

void WriteDefaultSettings(const QString& path) {
    platform::text::writeLinesAtomic(
        path,
        {QStringLiteral("[App]"), QStringLiteral("Width=6000"), QStringLiteral("Height=6000"),
         QStringLiteral("Top=0"), QStringLiteral("Left=0"), QStringLiteral("Folders=1"), QString(),
         QStringLiteral("[General]"), QStringLiteral("Saveurl=0"), QStringLiteral("SaveFavorite=1"),
         QStringLiteral("SaveHistory=1"), QStringLiteral("TvrSingleSel=0"),
         QStringLiteral("ShowLogo=0"), QStringLiteral("LoadINI=1"), QStringLiteral("WriteINI=1"),
         QStringLiteral("DeleteLog=0"), QStringLiteral("DeleteHistory=0")});
}

} // namespace quillet
