#pragma once
// The settings dialog Form2: the page tree on the left, one page at a time on
// the right, over a SettingsDialogModel.
#include "reader/mainwindow/SettingsDialogModel.h"
#include <QDialog>
#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;

namespace quillet {

class SettingsDialog : public QDialog {
    Q_OBJECT
public:
    SettingsDialog(AppState& app, MainWindowModel& window, MainWindowView& view,
                   QWidget* parent = nullptr);

    SettingsDialogModel& model() { return model_; }
    QGroupBox* frame(int index) const { return fframe_.at(static_cast<std::size_t>(index)); }

private:
    QGroupBox* makeFrame(int index);
    void buildGeneralPage();
    void buildFilterPage();
    void buildFontPage();
    void buildTagPage();
    void buildNewsPage();
    // Shows the model's page, title, values and enabled states.
    void showModel();
    void chooseFont(int row);
    int pixels(int twips) const;

    SettingsDialogModel model_;
    std::array<QGroupBox*, SettingsDialogModel::FrameCount> fframe_{};
    QLabel* lbTitle_ = nullptr;
    std::array<QCheckBox*, SettingsDialogModel::GeneralCount> chkGeneral_{};
    std::array<QCheckBox*, SettingsDialogModel::TagCount> chkTag_{};
    std::array<QLineEdit*, SettingsDialogModel::TagCount> txtTag_{};
    std::array<QRadioButton*, 2> op1_{};
    QGroupBox* fFonts_ = nullptr;
    std::array<QLineEdit*, SettingsDialogModel::FontRows> txtFontName_{};
    std::array<QLineEdit*, SettingsDialogModel::FontRows> txtFontSize_{};
    QCheckBox* chkFilter_ = nullptr;
    QGroupBox* frameFilter_ = nullptr;
    std::array<QCheckBox*, SettingsDialogModel::FilterRows> chk1_{};
    std::array<QLineEdit*, SettingsDialogModel::FilterRows> txtFilter1_{};
};

} // namespace quillet
