#pragma once
// The folder dialog fFolder: shows a FolderDialogModel, one frame per mode, and
// hands it the user's input. Making one loads it; the main window calls
// model().m_SetWindow, presets fields, calls showModel and then shows it.
#include "platform/controls/SimpleModels.h"
#include "reader/catalogue/FolderDialogModel.h"
#include <QDialog>
#include <array>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace quillet {

class FolderDialog : public QDialog {
    Q_OBJECT
public:
    FolderDialog(AppState& app, MainWindowModel& window, MainWindowView& view,
                 QWidget* parent = nullptr);

    FolderDialogModel& model() { return model_; }
    // Shows the model's mode, caption, size, place and fields.
    void showModel();

    QGroupBox* frame(int index) const { return frames_.at(static_cast<std::size_t>(index)); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildAddFolderFrame();
    void buildOpenFrame();
    void buildVersionFrame();
    void buildSubFolderFrame();
    void buildPatrolFrame();
    void buildSearchFrame();
    void buildSourceFrame();
    QPushButton* cancelButton(int index, const QString& caption);
    void run(FolderDialogModel::Outcome (FolderDialogModel::*command)());
    int pixels(int twips) const;

    FolderDialogModel model_;
    platform::controls::ImageListModel images_; // the patrol tree's folder and feed icons
    std::array<QGroupBox*, FolderDialogModel::FrameCount> frames_{};

    QLineEdit* txtFolderName_ = nullptr;
    QLineEdit* txtURL_ = nullptr;
    QLineEdit* txtPlace_ = nullptr;
    QLineEdit* txtSubFolderName_ = nullptr;
    QComboBox* comCheckTime_ = nullptr;
    QComboBox* comSearch_ = nullptr;
    QPlainTextEdit* txtSource_ = nullptr;
};

} // namespace quillet
