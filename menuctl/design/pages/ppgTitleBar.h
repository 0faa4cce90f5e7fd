#pragma once
// The title bar page ("タイトルバー"): which pop-ups have a side bar (two
// lists kept in form order), and for the chosen bar its width, menu style,
// hot-select colour, background (none, gradient, colour, picture) and
// caption (none, text, vertical text, picture) with their positions, font
// and colours. Edits reach the bar at once.
#include "platform/forms/PropertyPage.h"
#include <array>
#include <functional>
#include <memory>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTabWidget;
class QWidget;

namespace zephalt {
class clsTitlebar;
}

namespace zephalt::pages {

class MaskControls;

class ppgTitleBar final : public platform::forms::PropertyPage {
public:
    explicit ppgTitleBar(QWidget* parent = nullptr);
    ~ppgTitleBar() override;
    QString caption() const override;
    void selectionChanged(const std::vector<platform::forms::SelectedControl>& selected) override;
    void closePage() override;

private:
    QWidget* buildBackgroundTab();
    QWidget* buildCaptionTab();
    QButtonGroup* positionGrid(QWidget* parent, const QString& name, QLayout* into);
    void addSelected();
    void deleteSelected();
    void moveEntry(QListWidget* from, QListWidget* to, int row);
    void showBar();
    void showCaptionControls(int captionStyle);
    clsTitlebar* currentBar();
    void edited(const std::function<void(clsTitlebar&)>& change);
    void backgroundEdited();
    void readPicture(int kind);

    std::vector<platform::forms::SelectedControl> selected_;
    QListWidget* lstMenu_;
    QListWidget* lstTitleBar_;
    QPushButton* cmdAdd_;
    QPushButton* cmdDel_;
    QTabWidget* tabStyle_;
    QLineEdit* txtWidth_;
    std::unique_ptr<MaskControls> mask_;
    QComboBox* cmbCursorStyle_;
    QPushButton* cmdHotSelectText_;
    QButtonGroup* optBackStyle_;
    QCheckBox* chkHoriznal_;
    QCheckBox* chkRainbow_;
    std::array<QPushButton*, 2> cmdColor_{};
    QLabel* picBackGround_;
    QButtonGroup* optPosition_;
    QComboBox* cmbCaptionStyle_;
    QLineEdit* txtTitleBar_;
    QLineEdit* txtFont_;
    QPushButton* cmdFont_;
    QPushButton* cmdCaptionColor_;
    QLabel* picTitleBar_;
    QPushButton* cmdCaptionPicture_;
    QButtonGroup* optCapPosition_;
    std::vector<QWidget*> textCaptionWidgets_;
    std::vector<QWidget*> pictureCaptionWidgets_;
    std::vector<QWidget*> positionCaptionWidgets_;
    bool showing_ = false;
};

} // namespace zephalt::pages
