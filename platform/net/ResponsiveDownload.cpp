#include "platform/net/ResponsiveDownload.h"

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QThread>
#include <QWidget>

#include <memory>

namespace platform::net {

namespace {

bool isUserInput(QEvent::Type type) {
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}

bool allowed(QObject* target) {
    for (QObject* object = target; object != nullptr; object = object->parent()) {
        if (object->property(kAllowedWhileDownloading).toBool())
            return true;
    }
    return false;
}

class InputHold : public QObject {
public:
    explicit InputHold(std::atomic<bool>& cancel) : cancel_(cancel) {}

protected:
    bool eventFilter(QObject* target, QEvent* event) override {
        // The type first: the receiver may be on its way out.
        if (!isUserInput(event->type()))
            return false;
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            cancel_ = true;
            return true;
        }
        // Input from the window system reaches the native window first, which
        // hands it on to the widget under the mouse or with the focus; that
        // delivery passes this filter again, so the widget decides.
        if (target->isWindowType())
            return false;
        return !allowed(target);
    }

private:
    std::atomic<bool>& cancel_;
};

} // namespace

DownloadResult downloadKeepingEventsRunning(const QString& url, const QString& targetPath,
                                            const DownloadLimits& limits, DownloadRequest request,
                                            std::atomic<bool>& cancel, bool holdUserInput) {
    request.cancel = &cancel;
    DownloadResult result;
    const std::unique_ptr<QThread> worker(
        QThread::create([&result, url, targetPath, limits, request] {
            result = downloadToFile(url, targetPath, limits, request);
        }));
    InputHold hold(cancel);
    if (holdUserInput && qApp != nullptr)
        qApp->installEventFilter(&hold);
    QEventLoop waiting;
    QObject::connect(worker.get(), &QThread::finished, &waiting, &QEventLoop::quit);
    worker->start();
    if (!worker->isFinished())
        waiting.exec();
    worker->wait();
    if (holdUserInput && qApp != nullptr)
        qApp->removeEventFilter(&hold);
    return result;
}

} // namespace platform::net
