#include "platform/forms/ControlLibraries.h"
#include "platform/forms/ControlLibrary.h"
#include "platform/runtime/RuntimeError.h"
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <algorithm>
#include <exception>

namespace platform::forms {

namespace {

// The platform library is loaded already and serves no controls.
const QString PlatformLibrary = QStringLiteral("libplatform.so");

QString cannotCreateText(const QString& className) {
    return QStringLiteral("オブジェクトを作成できません。クラス %1 を提供するコントロール "
                          "ライブラリがありません。")
        .arg(className);
}

} // namespace

ControlLibraries::ControlLibraries(QString folder) : folder_(std::move(folder)) {
    if (folder_.isEmpty()) {
        folder_ = QCoreApplication::applicationDirPath();
    }
}

ControlLibraries::~ControlLibraries() = default;

void ControlLibraries::scan() {
    if (scanned_) {
        return;
    }
    scanned_ = true;
    const QDir dir(folder_);
    QSet<QString> seen; // a library reached through a second name is the same library
    const QFileInfoList files =
        dir.entryInfoList({QStringLiteral("lib*.so")}, QDir::Files, QDir::Name);
    for (const QFileInfo& file : files) {
        const QString canonical = file.canonicalFilePath();
        if (file.fileName() == PlatformLibrary || seen.contains(canonical)) {
            continue;
        }
        seen.insert(canonical);
        QString problem;
        std::shared_ptr<ControlLibrary> library = ControlLibrary::open(file.filePath(), &problem);
        if (!library) {
            problems_.append(problem);
            continue;
        }
        for (const QString& className : library->registry().classNames()) {
            const bool taken =
                std::any_of(served_.begin(), served_.end(), [&](const Served& served) {
                    return served.className.compare(className, Qt::CaseInsensitive) == 0;
                });
            if (taken) {
                problems_.append(QStringLiteral("%1: %2 is served by an earlier library")
                                     .arg(file.filePath(), className));
                continue;
            }
            served_.push_back({className, library});
        }
    }
}

CreatedControl ControlLibraries::create(const QString& className) {
    scan();
    for (const Served& served : served_) {
        if (served.className.compare(className, Qt::CaseInsensitive) != 0) {
            continue;
        }
        const ControlFactory* factory = served.library->registry().find(className);
        CreatedControl created{served.library, nullptr};
        try {
            created.control = factory ? (*factory)() : nullptr;
        } catch (const RuntimeError&) {
            throw;
        } catch (const std::exception&) {
            // Reported below like a class that cannot be made.
        }
        if (created.control) {
            return created;
        }
        break;
    }
    throw RuntimeError(CannotCreateObject, cannotCreateText(className));
}

QStringList ControlLibraries::classNames() {
    scan();
    QStringList names;
    for (const Served& served : served_) {
        names.append(served.className);
    }
    return names;
}

} // namespace platform::forms
