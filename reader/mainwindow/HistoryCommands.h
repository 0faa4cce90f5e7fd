#pragma once
// The Edit menu's three clean-up commands: delete the browsing history, the
// news history (the read titles' file) or the downloaded feed files, each after
// asking, each telling what it did.
#include <QString>

namespace quillet {

struct AppState;

enum class HistoryFiles {
    History,     // data/profile/History.lst
    NewsHistory, // data/profile/History_News.lst; the titles in memory stay
    Logs,        // every data/log/*.xml
};

// Asks with Yes and No; on Yes deletes the files, or warns that there are none.
// A file that cannot be deleted is reported instead of the success text.
void DeleteHistoryCommand(AppState& app, HistoryFiles which);

} // namespace quillet
