#pragma once
// Thin widgets for the controls of dialogs: option buttons in a frame and a
// label acting as a link. Their state lives in the models; the widgets show it
// and report the user's input.
#include "platform/controls/LinkLabelModel.h"
#include "platform/controls/OptionGroupModel.h"
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <vector>

class QRadioButton;

namespace platform::controls {

// A frame with the model's caption holding one option button per caption, top to bottom.
class OptionGroupWidget : public QGroupBox {
    Q_OBJECT
public:
    explicit OptionGroupWidget(OptionGroupModel* model, QWidget* parent = nullptr);
    QRadioButton* button(int index) const { return buttons_.at(static_cast<std::size_t>(index)); }

private:
    void showChosen(int index);

    QPointer<OptionGroupModel> model_;   // the model may be destroyed before the widget
    std::vector<QRadioButton*> buttons_; // owned by the frame
};

// Shows the caption in the model's colour with a pointing hand; reports mouse
// moves over it and a left click released on it.
class LinkLabelWidget : public QLabel {
    Q_OBJECT
public:
    explicit LinkLabelWidget(LinkLabelModel* model, QWidget* parent = nullptr);
signals:
    void mouseMoved();
    void clicked();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void showModel();

    QPointer<LinkLabelModel> model_;
};

} // namespace platform::controls
