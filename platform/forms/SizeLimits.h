#pragma once
// Window size limits asked of the form's window procedure chain. When the
// form is shown or resized it is sent WM_GETMINMAXINFO; the form's own
// procedure fills in its limits and whatever procedures sit in front of it may
// change them; the track sizes that come back become the Qt window's minimum
// and maximum size.
#include "platform/win/Messages.h"
#include <QObject>
#include <QPointer>
#include <QSize>

class QWidget;

namespace platform::forms {

class SizeLimits : public QObject {
public:
    SizeLimits(QWidget* window, win::HWND hwnd);
    ~SizeLimits() override;

    // The form's own limits, reported before anyone else sees the message;
    // taken from the window when the form loads.
    void setOwnLimits(QSize minimum, QSize maximum);
    // Asks the window procedure chain and applies the answer.
    void update();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The record as the form's own window procedure answers it: procedures in
    // front of it may pass the message on first and then change the values.
    void fill(win::MINMAXINFO& info) const;

    QPointer<QWidget> window_;
    win::HWND hwnd_;
    QSize ownMinimum_;
    QSize ownMaximum_;
    bool updating_ = false;
};

} // namespace platform::forms
