#include "platform/runtime/EventLoop.h"

#include <QCoreApplication>

namespace platform {

void yieldOnce() {
    // Tools and tests may call long steps without an application object.
    if (QCoreApplication::instance() != nullptr) {
        QCoreApplication::processEvents();
    }
}

} // namespace platform
