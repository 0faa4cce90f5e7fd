#include "platform/controls/DialogWidgets.h"

#include "platform/gdi/SystemColors.h"
#include <QMouseEvent>

namespace platform::controls {

LinkLabelWidget::LinkLabelWidget(LinkLabelModel* model, QWidget* parent)
    : QLabel(parent), model_(model) {
    setTextFormat(Qt::PlainText); // an address is never markup
    setCursor(Qt::PointingHandCursor);
    setMouseTracking(true);
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    connect(model, &LinkLabelModel::changed, this, &LinkLabelWidget::showModel);
    showModel();
}

void LinkLabelWidget::showModel() {
    if (model_ == nullptr)
        return;
    setText(model_->caption());
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, gdi::colorOfColorref(model_->foreColor()));
    setPalette(colours);
}

void LinkLabelWidget::mouseMoveEvent(QMouseEvent* event) {
    QLabel::mouseMoveEvent(event);
    // Taken here, so the frame under the label does not see the move as its own.
    event->accept();
    emit mouseMoved();
}

void LinkLabelWidget::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

} // namespace platform::controls
