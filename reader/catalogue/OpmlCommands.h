#pragma once
// The File menu's OPML entries: import an outline into the catalogue and
// export the catalogue as one, each reported in status bar panel 1.
#include <QString>

namespace quillet {

struct MainWindowModel;

// The chosen name with ".opml" added unless it already ends with ".opml" or ".xml".
QString opmlPathFor(const QString& chosen);
void ExportOpmlCommand(MainWindowModel& window, const QString& chosen);
// Reads the whole file first; the catalogue changes only when it was read.
void ImportOpmlCommand(MainWindowModel& window, const QString& path);

} // namespace quillet
