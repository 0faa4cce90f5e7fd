#pragma once
// What the browser engine needs before the application object exists. Test
// programs share one main, so a test file that starts browsers defines one
// EngineEnvironment at namespace scope and these are set while statics
// initialise.
#include <QByteArray>
#include <QCoreApplication>
#include <unistd.h>

namespace testing_support {

struct EngineEnvironment {
    EngineEnvironment() {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QByteArray flags = "--disable-gpu --disable-dev-shm-usage";
        // Chromium's sandbox cannot start for root.
        if (::geteuid() == 0) {
            qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
            flags += " --no-sandbox";
        }
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    }
};

} // namespace testing_support
