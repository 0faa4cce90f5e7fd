#include "reader/mainwindow/SplitterBar.h"

#include <QMouseEvent>

namespace quillet {

SplitterBar::SplitterBar(Qt::Orientation orientation, QWidget* parent) : QFrame(parent) {
    setCursor(orientation == Qt::Horizontal ? Qt::SplitVCursor : Qt::SplitHCursor);
    setFrameShape(QFrame::NoFrame);
    setAutoFillBackground(true);
}

void SplitterBar::setColor(const QColor& color) {
    QPalette colors = palette();
    colors.setColor(QPalette::Window, color);
    setPalette(colors);
}

QPoint SplitterBar::formPos(const QMouseEvent* event) const {
    return mapToParent(event->position().toPoint());
}

void SplitterBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit pressed(formPos(event));
}

void SplitterBar::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton)
        emit dragged(formPos(event));
}

void SplitterBar::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit released();
}

} // namespace quillet
