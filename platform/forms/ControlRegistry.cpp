#include "platform/forms/ControlRegistry.h"
#include <QStringList>

namespace platform::forms {

void ControlRegistry::add(const QString& className, ControlFactory factory) {
    if (className.isEmpty() || !factory || find(className) != nullptr) {
        return;
    }
    entries_.push_back({className, std::move(factory)});
}

const ControlFactory* ControlRegistry::find(const QString& className) const {
    for (const Entry& entry : entries_) {
        if (entry.className.compare(className, Qt::CaseInsensitive) == 0) {
            return &entry.factory;
        }
    }
    return nullptr;
}

QStringList ControlRegistry::classNames() const {
    QStringList names;
    for (const Entry& entry : entries_) {
        names.append(entry.className);
    }
    return names;
}

} // namespace platform::forms
