#pragma once
// One loaded control library: the open handle and the classes it registered.
// The handle closes when the object goes, after the factories are dropped.
#include "platform/forms/ControlRegistry.h"
#include <QString>
#include <memory>

namespace platform::forms {

class ControlLibrary {
public:
    // Loads the library and calls its registration entry point. Gives null and
    // says why in *problem when it cannot load or has no entry point of its own.
    static std::shared_ptr<ControlLibrary> open(const QString& path, QString* problem);
    ~ControlLibrary();
    ControlLibrary(const ControlLibrary&) = delete;
    ControlLibrary& operator=(const ControlLibrary&) = delete;

    const QString& path() const { return path_; }
    const ControlRegistry& registry() const { return registry_; }

private:
    struct HandleCloser {
        void operator()(void* handle) const;
    };
    ControlLibrary(QString path, void* handle);

    QString path_;
    std::unique_ptr<void, HandleCloser> handle_;
    ControlRegistry registry_; // declared after the handle: destroyed first
};

} // namespace platform::forms
