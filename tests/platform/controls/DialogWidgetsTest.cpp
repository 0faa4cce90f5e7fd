#include "platform/controls/DialogWidgets.h"
#include "RaisedError.h"

#include <QApplication>
#include <QMouseEvent>
#include <QRadioButton>
#include <gtest/gtest.h>

using controls_test::raisedError;
using namespace platform::controls;

namespace {

void sendMouse(QWidget* target, QEvent::Type type, QPoint at,
               Qt::MouseButton button = Qt::LeftButton) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? button : Qt::NoButton;
    QMouseEvent event(type, at, target->mapToGlobal(at),
                      type == QEvent::MouseMove ? Qt::NoButton : button, held, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

} // namespace

TEST(OptionGroup, ChoosingOneButtonClearsTheOthersInModelAndWidget) {
    OptionGroupModel model("対象", {"a", "b", "c"});
    EXPECT_EQ(model.chosen(), -1);
    OptionGroupWidget widget(&model);
    EXPECT_EQ(widget.title(), QStringLiteral("対象"));
    for (int index = 0; index < 3; ++index)
        EXPECT_FALSE(widget.button(index)->isChecked());

    widget.button(2)->click();
    EXPECT_EQ(model.chosen(), 2);
    widget.button(2)->click(); // a chosen button stays chosen
    EXPECT_EQ(model.chosen(), 2);
    EXPECT_TRUE(widget.button(2)->isChecked());

    model.setValue(0, true);
    EXPECT_TRUE(widget.button(0)->isChecked());
    EXPECT_FALSE(widget.button(2)->isChecked());
    EXPECT_FALSE(model.value(2));
    model.setValue(1, false); // clearing one that is not chosen changes nothing
    EXPECT_EQ(model.chosen(), 0);
    model.setValue(0, false);
    EXPECT_EQ(model.chosen(), -1);
    EXPECT_FALSE(widget.button(0)->isChecked());
    EXPECT_EQ(raisedError([&] { model.setValue(3, true); }), 9);
    EXPECT_EQ(raisedError([&] { model.caption(-1); }), 9);
}

TEST(LinkLabel, ShowsTheModelsColourAndReportsMovesAndClicksAsItsOwn) {
    LinkLabelModel model;
    model.setCaption("http://x/");
    QWidget frame;
    frame.setMouseTracking(true);
    LinkLabelWidget link(&model, &frame);
    link.resize(100, 20);
    EXPECT_EQ(link.text(), QStringLiteral("http://x/"));
    EXPECT_EQ(link.palette().color(QPalette::WindowText), QColor(0, 0, 255)); // 0xFF0000 is blue
    model.setForeColor(255);
    EXPECT_EQ(link.palette().color(QPalette::WindowText), QColor(255, 0, 0));

    int moves = 0;
    int clicks = 0;
    QObject::connect(&link, &LinkLabelWidget::mouseMoved, [&] { ++moves; });
    QObject::connect(&link, &LinkLabelWidget::clicked, [&] { ++clicks; });
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), link.mapToGlobal(QPointF(5, 5)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&link, &move);
    EXPECT_EQ(moves, 1);
    EXPECT_TRUE(move.isAccepted()); // the frame below must not take it for its own

    sendMouse(&link, QEvent::MouseButtonPress, {5, 5});
    sendMouse(&link, QEvent::MouseButtonRelease, {5, 5});
    EXPECT_EQ(clicks, 1);
    // Released off the label, or with another button: no click.
    sendMouse(&link, QEvent::MouseButtonPress, {5, 5});
    sendMouse(&link, QEvent::MouseButtonRelease, {500, 5});
    sendMouse(&link, QEvent::MouseButtonPress, {5, 5}, Qt::RightButton);
    sendMouse(&link, QEvent::MouseButtonRelease, {5, 5}, Qt::RightButton);
    EXPECT_EQ(clicks, 1);
}
