#pragma once
// The search bar: an address from the chosen engine and the typed words.
#include <QString>

namespace quillet {

struct MainWindowModel;
class MainWindowView;

// The engines ask for Shift_JIS queries, so non-ASCII characters and blanks of
// the text go in as percent-encoded code page 932 bytes; every other character
// is appended as typed. Empty for an engine index outside the table.
QString searchAddress(int engineIndex, const QString& text);

// The current browser goes to the search address of the chosen engine.
void RunSearch(MainWindowModel& window, MainWindowView& view);

} // namespace quillet
