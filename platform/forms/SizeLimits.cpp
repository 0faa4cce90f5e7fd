#include "platform/forms/SizeLimits.h"
#include "platform/win/Window.h"
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace platform::forms {

namespace {

int clampExtent(std::int32_t value) {
    return std::clamp<std::int32_t>(value, 0, QWIDGETSIZE_MAX);
}

} // namespace

SizeLimits::SizeLimits(QWidget* window, win::HWND hwnd)
    : window_(window), hwnd_(hwnd), ownMinimum_(window->minimumSize()),
      ownMaximum_(window->maximumSize()) {
    window->installEventFilter(this);
}

SizeLimits::~SizeLimits() {
    if (window_) {
        window_->removeEventFilter(this);
        // The limits were the window procedures'; the window gets its own back.
        window_->setMinimumSize(ownMinimum_);
        window_->setMaximumSize(ownMaximum_);
    }
}

void SizeLimits::setOwnLimits(QSize minimum, QSize maximum) {
    ownMinimum_ = minimum;
    ownMaximum_ = maximum;
    update();
}

void SizeLimits::fill(win::MINMAXINFO& info) const {
    QScreen* screen = window_ ? window_->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    info.ptMaxSize = {area.width(), area.height()};
    info.ptMaxPosition = {area.left(), area.top()};
    info.ptMinTrackSize = {ownMinimum_.width(), ownMinimum_.height()};
    info.ptMaxTrackSize = {ownMaximum_.width(), ownMaximum_.height()};
}

void SizeLimits::update() {
    if (!window_ || updating_ || !win::IsWindow(hwnd_)) {
        return;
    }
    // Applying limits resizes the window, which would ask again.
    updating_ = true;
    win::MINMAXINFO info;
    fill(info);
    win::SendMessage(hwnd_, win::WM_GETMINMAXINFO, 0, reinterpret_cast<win::LPARAM>(&info));
    const QSize minimum(clampExtent(info.ptMinTrackSize.x), clampExtent(info.ptMinTrackSize.y));
    const QSize maximum =
        QSize(clampExtent(info.ptMaxTrackSize.x), clampExtent(info.ptMaxTrackSize.y))
            .expandedTo(minimum);
    if (window_->minimumSize() != minimum) {
        window_->setMinimumSize(minimum);
    }
    if (window_->maximumSize() != maximum) {
        window_->setMaximumSize(maximum);
    }
    updating_ = false;
}

bool SizeLimits::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_ && (event->type() == QEvent::Show || event->type() == QEvent::Resize)) {
        update();
    }
    return false;
}

} // namespace platform::forms
