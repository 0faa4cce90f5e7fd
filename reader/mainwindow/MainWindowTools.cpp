// The main window's Tools: the skin manager, the settings dialog and the news
// patrol the timer starts.
#include "platform/controls/SimpleModels.h"
#include "reader/app/AppState.h"
#include "reader/mainwindow/MainWindow.h"
#include "reader/mainwindow/Patrol.h"
#include "reader/mainwindow/SettingsDialog.h"
#include "reader/present/SkinManagerDialog.h"

namespace quillet {

void MainWindow::showSkinManager() {
    // Modeless: one manager at a time, brought forward when already open.
    if (skinManager_ == nullptr) {
        skinManager_ = new SkinManagerDialog(app_, model_.stb1, this);
        skinManager_->move(geometry().topLeft());
    }
    skinManager_->show();
    skinManager_->raise();
    skinManager_->activateWindow();
}

void MainWindow::showSettings() {
    SettingsDialog dialog(app_, model_, *this, this);
    dialog.exec();
    activateWindow(); // keys and menus belong to the main window again
}

void MainWindow::runPatrol() {
    // A patrol that comes due while a feed downloads waits for its next period
    // rather than interleave with that download.
    if (app_.downloading)
        return;
    const PatrolResult result = RunPatrol(app_, model_, [this] { return closed_; });
    if (!closed_)
        model_.stb1.setPanelText(1, patrolReportText(result, QTime::currentTime()));
}

} // namespace quillet
