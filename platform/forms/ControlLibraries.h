#pragma once
// Finds and loads the libraries in a folder that serve control classes, and
// creates controls by class name. Libraries are loaded on the first request
// and stay loaded while this object or a control made from them lives.
#include "platform/forms/Control.h"
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace platform::forms {

// The runtime error for a class name that no library serves.
constexpr int CannotCreateObject = 429;

class ControlLibrary;

// A created control together with the library its code lives in, so that the
// library cannot go away first.
struct CreatedControl {
    std::shared_ptr<ControlLibrary> library;
    std::unique_ptr<Control> control; // destroyed before library
};

class ControlLibraries {
public:
    // An empty folder means the program folder.
    explicit ControlLibraries(QString folder = {});
    ~ControlLibraries();
    ControlLibraries(const ControlLibraries&) = delete;
    ControlLibraries& operator=(const ControlLibraries&) = delete;

    const QString& folder() const { return folder_; }
    // Fails with CannotCreateObject when no library serves the class or its
    // factory gives nothing.
    CreatedControl create(const QString& className);
    // Every class name served, once the folder has been looked through.
    QStringList classNames();
    // Libraries that were skipped and why (could not load, no entry point).
    const QStringList& problems() const { return problems_; }

private:
    void scan();

    struct Served {
        QString className;
        std::shared_ptr<ControlLibrary> library;
    };
    QString folder_;
    bool scanned_ = false;
    std::vector<Served> served_;
    QStringList problems_;
};

} // namespace platform::forms
