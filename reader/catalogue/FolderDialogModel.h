#pragma once
// The folder dialog without its widgets: one dialog with seven modes, each
// shown as one frame. Adding a root folder or a sub-folder, opening an address,
// the version box, choosing the patrol feeds, searching the article list and
// showing a page's source all work on the main window's controls.
// One is made per loading of the dialog; making it is the load handler.
#include "platform/controls/ComboBoxModel.h"
#include "platform/controls/LinkLabelModel.h"
#include "platform/controls/OptionGroupModel.h"
#include "platform/controls/TreeViewModel.h"
#include <QString>
#include <array>
#include <optional>

namespace quillet {

struct AppState;
struct MainWindowModel;
class MainWindowView;

class FolderDialogModel {
public:
    enum Mode {
        AddRootFolder = 0,
        OpenAddress = 1,
        Version = 2,
        AddSubFolder = 3,
        NewsPatrol = 4,
        Search = 5,
        Source = 6,
    };
    static constexpr int FrameCount = 7;

    enum class Outcome {
        Stay,   // the dialog stays open (nothing to do, or more searches to come)
        Unload, // the command is done; the dialog closes
    };

    // One element of the frame array fframe; sizes and places in twips.
    struct Frame {
        QString caption;
        int left = 0;
        int top = 0;
        int width = 0;
        int height = 0;
        bool visible = false;
    };

    // The load handler: the catalogue goes to the feed list file and comes back
    // as the dialog's own tree, so the patrol choice starts from a copy of it.
    FolderDialogModel(AppState& app, MainWindowModel& window, MainWindowView& view);

    FolderDialogModel(const FolderDialogModel&) = delete;
    FolderDialogModel& operator=(const FolderDialogModel&) = delete;

    // Prepares the dialog for a mode 0..6; any other number does nothing.
    void m_SetWindow(int mode);
    // Hides every frame and shows the one given.
    void ShowFrames(int index);
    int mode() const { return mode_; } // -1 until m_SetWindow chose one

    Outcome cmdAddNewFolder();
    Outcome cmdAddNewSubFolder();
    Outcome cmdOpen();
    Outcome cmdSetCheckNews();
    Outcome cmdSearch();

    // The version box: the mouse over the frame, over the link, a click on it.
    void frameMouseMove();
    void linkMouseMove();
    void linkClick();

    // The user checked or unchecked a node of tvw1.
    void nodeCheck(int node);

    QString caption;
    int formWidth = 0;  // twips, the outer size of the dialog
    int formHeight = 0; // twips
    // Where the dialog goes on the screen, in twips; empty to leave it to the system.
    std::optional<std::pair<int, int>> formLeftTop;
    std::array<Frame, FrameCount> fframe;

    QString txtFolderName;
    QString txtURL;
    QString txtPlace;
    QString txtSubFolderName;
    QString txtSource;
    const QString Label2; // program name
    const QString Label3; // version
    const QString Label4; // the notice
    platform::controls::LinkLabelModel lbURL;
    platform::controls::TreeViewModel tvw1; // the patrol choice, with check boxes
    platform::controls::ComboBoxModel comCheckTime;
    platform::controls::ComboBoxModel comSearch;
    platform::controls::OptionGroupModel opSearch;

private:
    void loadCatalogueCopy();
    void reportFolderFailure(const QString& name);

    AppState& app_;
    MainWindowModel& window_;
    MainWindowView& view_;
    int mode_ = -1;
};

// The mode's form caption ("■フォルダ追加" for mode 0 and so on).
QString folderDialogCaption(int mode);

} // namespace quillet
