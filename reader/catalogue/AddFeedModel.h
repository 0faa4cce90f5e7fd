#pragma once
// The add-feed dialog without its widgets: the fields the user fills in, the
// folder picker, and what the dialog's buttons and timer do to the main window.
// The dialog is made fresh for every opening, so this holds no state between
// openings. A caller presets txtName, txtURL and comSelect before showing it, or
// calls prepareProperties to show an existing feed.
#include "platform/controls/ComboBoxModel.h"
#include "platform/controls/TreeViewModel.h"
#include <QString>

namespace quillet {

struct MainWindowModel;

class AddFeedModel {
public:
    enum class Result {
        Ignored,   // something needed is missing; nothing reported, the dialog stays open
        Duplicate, // the URL is taken; reported in the status bar, the dialog stays open
        Added,     // a feed was added; the dialog closes
        Changed,   // the edited feed was updated; the dialog closes
    };

    // Does what loading the dialog does: fills the folder picker from the main
    // tree and selects the first entry of each combo box.
    explicit AddFeedModel(MainWindowModel& window);

    AddFeedModel(const AddFeedModel&) = delete;
    AddFeedModel& operator=(const AddFeedModel&) = delete;

    // Shows the node of the main tree (1..count) for editing: caption, button
    // caption, title, URL and kind fields come from the node, and confirm()
    // applies the edits to it instead of adding a feed.
    void prepareProperties(int nodeIndex);
    bool isPropertiesMode() const { return propertiesMode_; }

    // What the 200 ms timer does: the RSS version only means something for RSS sites.
    void tick();

    // The kind code the fields stand for: "IE" for sites without RSS, "XML2" for
    // RSS 1.00, "XML" for the other versions.
    QString kindCode() const;

    // The add button: adds the feed in add mode, applies the edits in properties mode.
    Result confirm();

    QString caption;
    QString cmdAddCaption;
    QString txtName;
    QString txtURL;
    platform::controls::ComboBoxModel comSelect; // site kind: 0 with RSS, 1 without
    platform::controls::ComboBoxModel comRss;    // RSS version: "0.91" "0.92" "1.00" "2.00"
    bool comRssEnabled = true;
    platform::controls::TreeViewModel tvw1; // the folder picker, a flat list of every folder

private:
    Result add();
    Result applyEdits();
    bool urlTakenByOther(const QString& key) const;
    void reportDuplicate();
    void rekey(int nodeIndex, const QString& newKey);

    MainWindowModel& window_;
    bool propertiesMode_ = false;
    QString editedKey_; // the edited node's key
    // The kind fields as prepareProperties left them: as long as the user does
    // not touch them, the node keeps its kind, which the fields cannot always
    // express (a "DOC" feed).
    int presetSelect_ = 0;
    int presetRss_ = 0;
};

} // namespace quillet
