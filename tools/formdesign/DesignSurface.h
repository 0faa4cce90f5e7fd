#pragma once
// The form's client area in the designer: each control painted by itself at
// its place, the selection marked with handles; the mouse and Tab select, the
// context menu offers the property dialog and deletion.
#include <QWidget>

namespace formdesign {

class DesignDocument;

class DesignSurface : public QWidget {
    Q_OBJECT
public:
    explicit DesignSurface(DesignDocument& document, QWidget* parent = nullptr);

    QSize sizeHint() const override;

signals:
    void selectionChanged();
    void propertiesRequested();
    void deleteRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void selectAt(QPoint pixel);

    DesignDocument& document_;
};

} // namespace formdesign
