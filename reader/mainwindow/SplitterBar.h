#pragma once
// A splitter bar of the main window: reports presses, drags and releases with
// the pointer's position in the form's client coordinates (pixels); the form
// turns them into twips for its layout.
#include <QFrame>

namespace quillet {

class SplitterBar : public QFrame {
    Q_OBJECT
public:
    SplitterBar(Qt::Orientation orientation, QWidget* parent);
    void setColor(const QColor& color);

signals:
    void pressed(const QPoint& formPos);
    void dragged(const QPoint& formPos);
    void released();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPoint formPos(const QMouseEvent* event) const;
};

} // namespace quillet
