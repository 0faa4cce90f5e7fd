#pragma once
// The general page ("全般"): the menu style, the system menu switch and the
// size of the check-column images of the whole control. Its edits are kept
// until applied; the sizes are checked first.
#include "platform/forms/PropertyPage.h"

class QComboBox;
class QLineEdit;

namespace zephalt::pages {

class ppgGeneral final : public platform::forms::PropertyPage {
public:
    explicit ppgGeneral(QWidget* parent = nullptr);
    QString caption() const override;
    void selectionChanged(const std::vector<platform::forms::SelectedControl>& selected) override;
    void applyChanges() override;

private:
    std::vector<platform::forms::SelectedControl> selected_;
    QComboBox* cmbMenuStyle_;
    QComboBox* cmbSystemMenu_;
    QLineEdit* txtImageHeight_;
    QLineEdit* txtImageWidth_;
    bool loading_ = false;
};

} // namespace zephalt::pages
