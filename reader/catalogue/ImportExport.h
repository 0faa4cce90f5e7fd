#pragma once
// Moving the catalogue to and from files: CSV and feed list exports, a feed
// list import in place of the catalogue, and a reset to the shipped lists.
#include <QString>
#include <cstdint>

namespace platform::controls {
class TreeViewModel;
}

namespace quillet {

struct AppState;
struct MainWindowModel;

// One line per feed of kind "XML", "XML2" or "DOC" in node order: a running
// number from 2, the title and the URL in double quotes. 0, or -1 on any error.
int ExportFeedListCsv(const platform::controls::TreeViewModel& tree, const QString& path);
// The chosen name with ".csv" added unless it already ends with it (any case).
QString csvPathFor(const QString& chosen);
// Exports and reports the outcome in panel 1 with the bracketed date and time.
void ExportCsvCommand(MainWindowModel& window, const QString& chosen);

// The chosen name with ".brd" added unless it already ends with it (any case),
// so that the import dialog lists the file.
QString feedListPathFor(const QString& chosen);
// Writes the catalogue as a feed list under that name and reports the outcome
// in panel 1 with the bracketed date and time.
void ExportFeedListCommand(MainWindowModel& window, const QString& chosen);

// Reads the file into a fresh tree and replaces the catalogue with it only when
// the whole file was read; on failure the catalogue stays and the file-load
// error message names the file. Panel 1 reports the outcome. Returns whether
// the catalogue was replaced.
bool ImportFeedList(AppState& app, MainWindowModel& window, const QString& path);

// Asks, then empties the tree and reads every shipped list of data/brd,
// naming each list that fails.
void ImportDefaultNews(AppState& app, MainWindowModel& window);

// Replaces the nodes of one tree with copies of another's, parents first.
void replaceTree(platform::controls::TreeViewModel& target,
                 const platform::controls::TreeViewModel& source);

} // namespace quillet
