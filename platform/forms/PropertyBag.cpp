#include "platform/forms/PropertyBag.h"

namespace platform::forms {

PropertyBag::PropertyBag(const QVariantMap& stored) {
    for (auto it = stored.begin(); it != stored.end(); ++it) {
        write(it.key(), it.value());
    }
}

QVariant PropertyBag::read(const QString& name, const QVariant& defaultValue) const {
    const auto found = values_.find(name.toCaseFolded());
    return found == values_.end() ? defaultValue : found->second.value;
}

void PropertyBag::write(const QString& name, const QVariant& value, const QVariant& defaultValue) {
    if (value == defaultValue) {
        values_.erase(name.toCaseFolded());
        return;
    }
    write(name, value);
}

void PropertyBag::write(const QString& name, const QVariant& value) {
    const auto [it, inserted] = values_.try_emplace(name.toCaseFolded(), Entry{name, value});
    if (!inserted) {
        it->second.value = value;
    }
}

bool PropertyBag::contains(const QString& name) const {
    return values_.count(name.toCaseFolded()) != 0;
}

QVariantMap PropertyBag::values() const {
    QVariantMap all;
    for (const auto& [key, entry] : values_) {
        all.insert(entry.name, entry.value);
    }
    return all;
}

} // namespace platform::forms
