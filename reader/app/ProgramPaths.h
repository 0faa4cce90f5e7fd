#pragma once
// Every file of the reader lives below the program folder at a fixed relative path.
#include <QString>

namespace quillet {

// The path with the folder separator appended unless it already ends with one.
QString AddPathSeparator(const QString& folder);

// The relative paths of the data folder layout.
namespace paths {
inline constexpr const char* Settings = "data/rss.ini";
inline constexpr const char* FeedList = "data/profile/Newslist.brd";
inline constexpr const char* PatrolList = "data/profile/NewsChecklist.brd";
inline constexpr const char* History = "data/profile/History.lst";
inline constexpr const char* NewsHistory = "data/profile/History_News.lst";
// Where the edits and read titles of a run go when the file they belong in did
// not load completely and so is kept unchanged.
inline constexpr const char* FeedListRecovery = "data/profile/Newslist_recovered.brd";
inline constexpr const char* NewsHistoryRecovery = "data/profile/History_News_recovered.lst";
inline constexpr const char* InitialLists = "data/brd/";
inline constexpr const char* LogFolder = "data/log/";
inline constexpr const char* TempFolder = "data/temp/";
inline constexpr const char* Gateway = "data/temp/gateway.html";
// The skin manager's preview has a page of its own: written over the article
// page, it would replace the feed in the main window at its next reload.
inline constexpr const char* SkinPreview = "data/temp/skinpreview.html";
inline constexpr const char* DefaultSkin = "data/skin/default/";
inline constexpr const char* StartPage = "index.html";
inline constexpr const char* Help = "help.html";
} // namespace paths

// False for a name that cannot be a file name of its own: one holding
// \ / : * ? " < > | or a control character, an empty name, "." and "..".
// Files named after user text are refused then, as an unwritable file would be.
bool isStorableFileName(const QString& name);

// The name of a feed's files in the log folder, without the extension: its
// display name with each character a file name cannot hold (\ / : * ? " < > |)
// replaced by its full-width form and control characters dropped, so every
// display name gives a name that stays inside the log folder.
QString logFileStem(const QString& displayName);

// The program folder (with its separator) followed by a relative path.
QString programFile(const QString& programFolder, const char* relative);

} // namespace quillet
