#pragma once
// The stored properties of one hosted control: named values, read with a
// default and written with a default. A value written that equals its default
// is not kept, so it reads back as the default; names match without regard to
// case and keep the spelling they were first stored with.
#include <QString>
#include <QVariant>
#include <QVariantMap>
#include <map>

namespace platform::forms {

class PropertyBag {
public:
    PropertyBag() = default;
    explicit PropertyBag(const QVariantMap& stored);

    QVariant read(const QString& name, const QVariant& defaultValue = {}) const;
    // Keeps value unless it equals defaultValue, in which case a kept value of
    // that name is dropped.
    void write(const QString& name, const QVariant& value, const QVariant& defaultValue);
    // Keeps value whatever it is (a value without a default).
    void write(const QString& name, const QVariant& value);

    bool contains(const QString& name) const;
    bool isEmpty() const { return values_.empty(); }
    // Everything kept, under the names as first stored.
    QVariantMap values() const;

private:
    struct Entry {
        QString name;
        QVariant value;
    };
    std::map<QString, Entry> values_; // keyed by the case-folded name
};

} // namespace platform::forms
