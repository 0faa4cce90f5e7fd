#include "platform/forms/ControlLibrary.h"
#include <QFile>
#include <QFileInfo>
#include <dlfcn.h>
#include <exception>

namespace platform::forms {

namespace {

// The entry point must come from the library itself: a library that only
// depends on a control library would otherwise register its classes again.
bool definedIn(void* symbol, const QString& path) {
    Dl_info info{};
    if (dladdr(symbol, &info) == 0 || info.dli_fname == nullptr) {
        return false;
    }
    return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).canonicalFilePath() ==
           QFileInfo(path).canonicalFilePath();
}

} // namespace

void ControlLibrary::HandleCloser::operator()(void* handle) const {
    dlclose(handle);
}

ControlLibrary::ControlLibrary(QString path, void* handle)
    : path_(std::move(path)), handle_(handle) {}

ControlLibrary::~ControlLibrary() = default;

std::shared_ptr<ControlLibrary> ControlLibrary::open(const QString& path, QString* problem) {
    // RTLD_NODELETE keeps the code mapped after the last close: a control
    // that forgot to take its window procedure back must not leave the
    // window calling into unmapped memory.
    void* handle =
        dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    if (handle == nullptr) {
        if (problem) {
            *problem = QString::fromLocal8Bit(dlerror());
        }
        return nullptr;
    }
    std::shared_ptr<ControlLibrary> library(new ControlLibrary(path, handle));
    void* symbol = dlsym(handle, RegisterControlsSymbol);
    if (symbol == nullptr || !definedIn(symbol, path)) {
        if (problem) {
            *problem = QStringLiteral("%1: no %2").arg(path, QLatin1String(RegisterControlsSymbol));
        }
        return nullptr;
    }
    try {
        reinterpret_cast<RegisterControlsFunction>(symbol)(library->registry_);
    } catch (const std::exception& error) {
        if (problem) {
            *problem = QStringLiteral("%1: %2").arg(path, QString::fromLocal8Bit(error.what()));
        }
        return nullptr;
    }
    return library;
}

} // namespace platform::forms
