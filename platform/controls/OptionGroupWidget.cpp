#include "platform/controls/DialogWidgets.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

namespace platform::controls {

OptionGroupWidget::OptionGroupWidget(OptionGroupModel* model, QWidget* parent)
    : QGroupBox(model->frameCaption(), parent), model_(model) {
    auto* layout = new QVBoxLayout(this);
    // Exclusive by the model, not by Qt: with none chosen no button is checked.
    auto* group = new QButtonGroup(this);
    group->setExclusive(false);
    for (int index = 0; index < model->count(); ++index) {
        auto* button = new QRadioButton(model->caption(index), this);
        button->setAutoExclusive(false);
        group->addButton(button, index);
        layout->addWidget(button);
        buttons_.push_back(button);
        connect(button, &QRadioButton::clicked, this, [this, index] {
            if (model_ != nullptr)
                model_->setValue(index, true); // clicking a chosen button keeps it chosen
            showChosen(model_ != nullptr ? model_->chosen() : -1);
        });
    }
    connect(model, &OptionGroupModel::chosenChanged, this, &OptionGroupWidget::showChosen);
    showChosen(model->chosen());
}

void OptionGroupWidget::showChosen(int index) {
    for (std::size_t i = 0; i < buttons_.size(); ++i)
        buttons_[i]->setChecked(static_cast<int>(i) == index);
}

} // namespace platform::controls
