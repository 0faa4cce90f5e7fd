#pragma once
// The life of the main window: what its load handler makes ready and what its
// closing saves and deletes. These work on the window's models and the
// application state, so they run the same with or without widgets.
#include <QString>

namespace quillet {

struct AppState;
struct MainWindowModel;
class MainWindowView;

// InitMainWindow, LoadCatalogue, the splitter layout and LoadNewsHistory, in this
// order under one error handler: an error skips the rest and shows the
// initialisation failure message.
void RunMainWindowLoad(AppState& app, MainWindowModel& window, MainWindowView& view);

void InitMainWindow(AppState& app, MainWindowModel& window, MainWindowView& view);
void LoadCatalogue(AppState& app, MainWindowModel& window);

// The window is about to close: a missing settings file is written with the
// defaults, then SaveOnExit. Never cancels the close.
void QueryUnload(AppState& app, MainWindowModel& window);
// Deletes history and downloaded feeds as the settings say, saves the settings,
// the feed list and the read titles. A failing step is reported with a message
// naming its file, and the following steps still run.
void SaveOnExit(AppState& app, MainWindowModel& window);

} // namespace quillet
