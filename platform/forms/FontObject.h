#pragma once
// A font as a form stores it for a control: face name, point size, weight,
// character set and the three styles. It travels in a property bag as a
// QVariant and compares by value, so a bag can drop a font equal to its default.
#include <QMetaType>
#include <QString>

namespace platform::forms {

struct FontObject {
    QString name;
    double size = 9.0; // points
    int weight = 400;
    int charset = 1; // the default character set
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;

    bool bold() const { return weight >= 700; }
    friend bool operator==(const FontObject&, const FontObject&) = default;
};

} // namespace platform::forms

Q_DECLARE_METATYPE(platform::forms::FontObject)
