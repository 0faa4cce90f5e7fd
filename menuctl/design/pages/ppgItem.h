#pragma once
// The item page ("メニュー項目"): the host form's menus as a tree; for the
// chosen item its font style, group, break, its three pictures (unchecked,
// checked, item) or, for a separator, its line style or picture; and the
// mask used when pictures are read. Edits reach the item at once.
#include "platform/forms/PropertyPage.h"
#include <array>
#include <functional>
#include <memory>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace zephalt {
class clsMenuItem;
}

namespace zephalt::pages {

class MaskControls;

class ppgItem final : public platform::forms::PropertyPage {
public:
    explicit ppgItem(QWidget* parent = nullptr);
    ~ppgItem() override;
    QString caption() const override;
    void initialisePage() override;
    void selectionChanged(const std::vector<platform::forms::SelectedControl>& selected) override;
    void closePage() override;

private:
    void buildItemFrame();
    void buildSeparatorFrame();
    void showNode(QTreeWidgetItem* node);
    void showPreviews();
    clsMenuItem* currentItem();
    void edited(const std::function<void(clsMenuItem&)>& change);
    void readPicture(int which);
    void deletePicture(int which);

    std::vector<platform::forms::SelectedControl> selected_;
    QTreeWidget* tvwMenu_;
    QGroupBox* fraMenuItem_;
    QCheckBox* chkBold_;
    QCheckBox* chkItalic_;
    QCheckBox* chkUnderLine_;
    QComboBox* cmbGroup_;
    std::array<QLabel*, 4> previews_{}; // 0 separator, 1 unchecked, 2 checked, 3 item
    QCheckBox* chkUnSelected_;
    QLabel* lblBreakItem_;
    QComboBox* cmbBreakItem_;
    QGroupBox* fraSeparator_;
    QButtonGroup* optSeparator_;
    QGroupBox* fraPicture_;
    QComboBox* cmbPosition_;
    std::unique_ptr<MaskControls> mask_;
    bool showing_ = false;
};

} // namespace zephalt::pages
