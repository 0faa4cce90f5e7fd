#include "platform/controls/ControlWidgets.h"

#include <QLabel>

namespace platform::controls {

StatusBarWidget::StatusBarWidget(StatusBarModel* model, QWidget* parent) : QStatusBar(parent) {
    for (int panel = 1; panel <= model->panelCount(); ++panel) {
        auto* label = new QLabel(model->panelText(panel), this);
        // Panel texts come from feeds; they must never be read as markup.
        label->setTextFormat(Qt::PlainText);
        // Permanent widgets, so that a temporary message never hides a panel.
        addPermanentWidget(label, panel == 1 ? 1 : 0);
        panels_.push_back(label);
    }
    // Showing a widget that has no parent yet would open it as a window, so
    // only the hidden state is applied here.
    if (!model->isVisible())
        hide();

    connect(model, &StatusBarModel::panelTextChanged, this, [this](int panel, const QString& text) {
        if (panel >= 1 && panel <= static_cast<int>(panels_.size()))
            panels_[static_cast<std::size_t>(panel - 1)]->setText(text);
    });
    connect(model, &StatusBarModel::visibleChanged, this, &QWidget::setVisible);
}

} // namespace platform::controls
