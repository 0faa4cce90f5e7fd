#include "platform/controls/ControlWidgets.h"

#include <QAction>
#include <QIcon>
#include <QPixmap>

namespace platform::controls {

ToolBarWidget::ToolBarWidget(ToolBarModel* model, const ImageListModel* images, QWidget* parent)
    : QToolBar(parent), model_(model), images_(images) {
    setMovable(false);
    for (int i = 0; i < static_cast<int>(model->buttons().size()); ++i)
        addButtonAction(i);
    setEnabled(model->isEnabled());
    // Showing a widget that has no parent yet would open it as a window.
    if (!model->isVisible())
        hide();

    connect(model, &ToolBarModel::buttonAdded, this, &ToolBarWidget::addButtonAction);
    connect(model, &ToolBarModel::enabledChanged, this, &QWidget::setEnabled);
    connect(model, &ToolBarModel::visibleChanged, this, &QWidget::setVisible);
}

void ToolBarWidget::addButtonAction(int buttonIndex) {
    if (!model_ || buttonIndex < 0 || buttonIndex >= static_cast<int>(model_->buttons().size()))
        return;
    const ToolBarModel::Button& button = model_->buttons()[static_cast<std::size_t>(buttonIndex)];
    QAction* action = addAction(button.toolTip); // the text shows when there is no picture
    action->setToolTip(button.toolTip);
    action->setEnabled(button.enabled);
    if (images_ && !button.imageKey.isEmpty() && images_->contains(button.imageKey))
        action->setIcon(QIcon(QPixmap::fromImage(images_->image(button.imageKey))));
    const QString key = button.key;
    connect(action, &QAction::triggered, this, [this, key] {
        if (model_)
            model_->click(key);
    });
}

} // namespace platform::controls
