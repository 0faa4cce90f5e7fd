#pragma once
// The add-feed dialog: shows an AddFeedModel and hands it the user's input.
// Make one per opening, preset model() and call exec().
#include "platform/controls/SimpleModels.h"
#include "reader/catalogue/AddFeedModel.h"
#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;
class QTimer;

namespace platform::controls {
class TreeViewWidget;
}

namespace quillet {

class AddFeedDialog : public QDialog {
    Q_OBJECT
public:
    explicit AddFeedDialog(MainWindowModel& window, QWidget* parent = nullptr);

    AddFeedModel& model() { return model_; }

    // What confirm() gave the last time the add button was pressed.
    AddFeedModel::Result lastResult() const { return lastResult_; }

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void showModel();
    void confirm();
    void tick();

    AddFeedModel model_;
    platform::controls::ImageListModel images_; // the picker's folder icon
    AddFeedModel::Result lastResult_ = AddFeedModel::Result::Ignored;

    QLineEdit* txtName_;
    QLineEdit* txtURL_;
    QComboBox* comSelect_;
    QComboBox* comRss_;
    platform::controls::TreeViewWidget* tvw1_;
    QPushButton* cmdAdd_;
    QPushButton* cmdCancel_;
    QTimer* tim1_;
};

} // namespace quillet
