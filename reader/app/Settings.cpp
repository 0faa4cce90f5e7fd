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

namespace {

// Reads a number key; a missing, empty or unreadable value takes the value
// the default file gives it, and the key is named among the replaced ones.
template <typename Convert>
auto readNumber(const QString& path, const char* section, const char* key, const char* defaultText,
                Convert convert, QList<ReplacedSetting>& replaced) {
    const QString text = readKey(path, section, key);
    if (!text.trimmed().isEmpty()) {
        try {
            return convert(text);
        } catch (const platform::RuntimeError&) {
        }
    }
    replaced.append(
        {QString::fromLatin1(section), QString::fromLatin1(key), QString::fromLatin1(defaultText)});
    return convert(QString::fromLatin1(defaultText));
}

float readSingle(const QString& path, const char* key, const char* defaultText,
                 QList<ReplacedSetting>& replaced) {
    return readNumber(path, "App", key, defaultText, platform::toSingle, replaced);
}

std::int16_t readFlag(const QString& path, const char* key, const char* defaultText,
                      QList<ReplacedSetting>& replaced) {
    return readNumber(path, "General", key, defaultText, platform::toInt16, replaced);
}

// An empty text keeps the design-time font, and so does a size that is no number.
void readFont(const QString& path, const char* nameKey, const char* sizeKey, FontSetting& font,
              QList<ReplacedSetting>& replaced) {
    const QString name = readKey(path, "Font", nameKey);
    if (!name.isEmpty())
        font.name = name;
    const QString size = readKey(path, "Font", sizeKey);
    if (size.trimmed().isEmpty())
        return;
    try {
        font.size = platform::toSingle(size);
    } catch (const platform::RuntimeError&) {
        replaced.append({QStringLiteral("Font"), QString::fromLatin1(sizeKey), QString()});
    }
}

} // namespace

QList<ReplacedSetting> LoadSettings(const QString& path, const QString& programFolder,
                                    Settings& settings, WindowLayout& layout,
                                    platform::controls::TreeViewModel& tree) {
    platform::yieldOnce();
    QList<ReplacedSetting> replaced;

    layout.top = readSingle(path, "Top", "0", replaced);
    layout.left = readSingle(path, "Left", "0", replaced);
    layout.width = readSingle(path, "Width", "6000", replaced);
    layout.height = readSingle(path, "Height", "6000", replaced);
    // The folder counter is kept as written, once it reads as a number.
    tree.setTag(readNumber(
        path, "App", "Folders", "1",
        [](const QString& text) {
            (void)platform::toInt32(text);
            return text;
        },
        replaced));

    GeneralSettings& general = settings.general;
    general.Saveurl = readFlag(path, "Saveurl", "0", replaced);
    general.SaveFavorite = readFlag(path, "SaveFavorite", "1", replaced);
    general.SaveHistory = readFlag(path, "SaveHistory", "1", replaced);
    general.TvrSingleSel = readFlag(path, "TvrSingleSel", "0", replaced);
    tree.setSingleSel(general.TvrSingleSel != 0);
    general.ShowLogo = readFlag(path, "ShowLogo", "0", replaced);
    general.LoadINI = readFlag(path, "LoadINI", "1", replaced);
    general.WriteINI = readFlag(path, "WriteINI", "1", replaced);
    general.DeleteLog = readFlag(path, "DeleteLog", "0", replaced);
    general.DeleteHistory = readFlag(path, "DeleteHistory", "0", replaced);

    XmlNameOverrides& xml = settings.xml;
    xml.xTitle = readKey(path, "XML", "xTitle");
    xml.xDescription = readKey(path, "XML", "xDescription");
    xml.xDate = readKey(path, "XML", "xDate");
    xml.xLink = readKey(path, "XML", "xLink");
    xml.xCreator = readKey(path, "XML", "xCreator");

    readFont(path, "WindowFontName", "WindowFontSize", layout.windowFont, replaced);
    readFont(path, "TreeViewFontName", "TreeViewFontSize", layout.treeFont, replaced);
    readFont(path, "ListViewFontName", "ListViewFontSize", layout.listFont, replaced);

    const QString skinFolder = readKey(path, "Skin", "SkinFolder");
    if (!skinFolder.isEmpty() && listingFindsAFile(skinFolder)) {
        settings.SkinFolder = skinFolder;
        settings.SkinName = readKey(path, "Skin", "SkinName");
    } else {
        settings.SkinFolder = programFile(programFolder, paths::DefaultSkin);
        settings.SkinName = QStringLiteral("default");
    }
    LoadArticleFilter(path, settings.filter);
    return replaced;
}

void WriteReplacedSettings(const QString& path, const QList<ReplacedSetting>& replaced) {
    for (const ReplacedSetting& setting : replaced) {
        // A font size that was no number is dropped, so the design font stays.
        platform::profile::writePrivateProfileString(setting.section, setting.key, setting.value,
                                                     path);
    }
}

QString replacedSettingsText(const QList<ReplacedSetting>& replaced) {
    QStringList names;
    for (const ReplacedSetting& setting : replaced)
        names << QLatin1Char('[') + setting.section + QLatin1Char(']') + setting.key;
    return QStringLiteral("設定ファイルの次の値が読めないため既定値を使いました：") +
           names.join(QStringLiteral("、"));
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
