#include "platform/controls/ControlWidgets.h"

#include <QMouseEvent>

namespace platform::controls {

TabStripWidget::TabStripWidget(TabStripModel* model, QWidget* parent)
    : QTabBar(parent), model_(model) {
    syncing_ = true;
    for (int position = 1; position <= model->count(); ++position)
        addTab(model->caption(position));
    syncing_ = false;
    showModelSelection();

    connect(model, &TabStripModel::tabAdded, this, [this](int position) {
        syncing_ = true;
        insertTab(position - 1, model_->caption(position));
        syncing_ = false;
        showModelSelection();
    });
    connect(model, &TabStripModel::tabRemoved, this, [this](int position) {
        syncing_ = true;
        removeTab(position - 1);
        syncing_ = false;
        // The bar picks its own neighbour; the model's choice wins.
        showModelSelection();
    });
    connect(model, &TabStripModel::captionChanged, this,
            [this](int position, const QString& caption) { setTabText(position - 1, caption); });
    connect(model, &TabStripModel::selectedChanged, this, [this](int) { showModelSelection(); });
    // Keyboard, wheel and mouse changes of the current tab select it in the model.
    connect(this, &QTabBar::currentChanged, this, [this](int index) {
        if (syncing_ || !model_ || index < 0 || index >= model_->count())
            return;
        model_->select(index + 1);
        emit currentChosen(index + 1);
    });
}

void TabStripWidget::showModelSelection() {
    if (!model_)
        return;
    syncing_ = true;
    setCurrentIndex(model_->selected() - 1);
    syncing_ = false;
}

void TabStripWidget::mousePressEvent(QMouseEvent* event) {
    QTabBar::mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    // The base class has already made the tab current, so the model agrees.
    const int index = tabAt(event->position().toPoint());
    if (index >= 0)
        emit tabClickedAt(index + 1);
}

void TabStripWidget::mouseReleaseEvent(QMouseEvent* event) {
    QTabBar::mouseReleaseEvent(event);
    if (event->button() == Qt::MiddleButton)
        emit middleReleased();
    else if (event->button() == Qt::RightButton)
        emit rightReleased(event->globalPosition().toPoint());
}

} // namespace platform::controls
