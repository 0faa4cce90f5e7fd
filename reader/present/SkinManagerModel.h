#pragma once
// The skin manager SkinForm without its widgets: the installed skins of
// "data/skin" with their descriptions, the preview built from a skin's
// templates, and making a skin the current one.
#include "platform/controls/ListViewModel.h"
#include "platform/controls/SimpleModels.h"
#include <QString>
#include <array>

namespace quillet {

struct AppState;

class SkinManagerModel {
public:
    // The columns of lvw1: the name, then sub-items 1 to 6.
    enum Column { Name = 0, Creator, CreateDate, Comment, Homepage, Email, Folder };

    // The load handler: the current skin and the list of installed skins.
    // mainStatus is the main window's status bar, told when a skin is set.
    SkinManagerModel(AppState& app, platform::controls::StatusBarModel& mainStatus);

    SkinManagerModel(const SkinManagerModel&) = delete;
    SkinManagerModel& operator=(const SkinManagerModel&) = delete;

    // Double click on the list: builds the preview page from the selected
    // skin's templates with the skin rows as its articles and fills the
    // details. Returns the page to show, or an empty text when it was not written.
    QString preview();

    enum class Outcome { Stay, Close };
    // cmdSet: asks for each selected skin that is not current, then reports the
    // current skin in the main window's status bar and closes. An empty list
    // does nothing.
    Outcome cmdSet();

    platform::controls::ListViewModel lvw1;
    platform::controls::StatusBarModel stb1;
    std::array<QString, 2> txtSkin;  // current name, current folder
    std::array<QString, 6> lbStatus; // details of the previewed skin

private:
    void listSkins();
    QString changedText() const;

    AppState& app_;
    platform::controls::StatusBarModel& mainStatus_;
};

} // namespace quillet
