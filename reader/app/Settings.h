#pragma once
// The settings file "data/rss.ini": the values held in memory between start-up
// and shutdown, and the procedures that read, write and create the file.
#include "platform/runtime/Conversions.h"
#include "reader/app/ArticleFilter.h"
#include <QList>
#include <QString>
#include <cstdint>

namespace platform {
class MessagePresenter;
}
namespace platform::controls {
class TreeViewModel;
}

namespace quillet {

// [General] switches; the procedures that act on them test for exactly 1.
struct GeneralSettings {
    std::int16_t Saveurl = 0;
    std::int16_t SaveFavorite = 0;
    std::int16_t SaveHistory = 0;
    std::int16_t TvrSingleSel = 0;
    std::int16_t ShowLogo = 0;
    std::int16_t LoadINI = 0;
    std::int16_t WriteINI = 0;
    std::int16_t DeleteLog = 0;
    std::int16_t DeleteHistory = 0;
};

// [XML] extra element names the RSS 1.0 parser accepts beside the standard ones.
struct XmlNameOverrides {
    QString xTitle;
    QString xDescription;
    QString xDate;
    QString xLink;
    QString xCreator;
};

// A font chosen in the settings. An empty name or size keeps the font the
// window was designed with.
struct FontSetting {
    QString name;
    float size = 0;
    bool hasName() const { return !name.isEmpty(); }
    bool hasSize() const { return size > 0; }
};

// What the settings file says about the main window, in twips and points. The
// main window applies it after loading and fills it before saving.
struct WindowLayout {
    float top = 0;
    float left = 0;
    float width = 6000;
    float height = 6000;
    FontSetting windowFont;
    FontSetting treeFont;
    FontSetting listFont;
};

struct Settings {
    GeneralSettings general;
    XmlNameOverrides xml;
    QString SkinFolder; // full path ending with the separator
    QString SkinName;
    ArticleFilter filter;
};

// A key whose value was missing, empty or unreadable, and the value that took
// its place (the default file's; empty for a font size, which keeps the design font).
struct ReplacedSetting {
    QString section;
    QString key;
    QString value;
};

// Reads every key in order. A number key whose value is missing, empty or no
// number in range takes the default file's value; those keys are returned.
QList<ReplacedSetting> LoadSettings(const QString& path, const QString& programFolder,
                                    Settings& settings, WindowLayout& layout,
                                    platform::controls::TreeViewModel& tree);
// Writes the replacing values into the file, so the next start reads them;
// a file that cannot be written is left as it is.
void WriteReplacedSettings(const QString& path, const QList<ReplacedSetting>& replaced);
// The status text naming the replaced keys.
QString replacedSettingsText(const QList<ReplacedSetting>& replaced);
// Writes the keys the program owns; LoadINI, WriteINI and [Font] stay as they are.
// Shows its own message on failure.
void SaveSettings(const QString& path, const Settings& settings, const WindowLayout& layout,
                  const platform::controls::TreeViewModel& tree,
                  platform::MessagePresenter& messages);
// Creates or replaces the file with the default text; raises when it cannot.
void WriteDefaultSettings(const QString& path);

} // namespace quillet
