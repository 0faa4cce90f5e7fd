#pragma once
// The item key: the text by which the control's lists find a menu item. A host
// menu control gives its name (with "(index)" for an element of a control
// array), a text is its own key, and a number gives ":" and eight upper-case
// hexadecimal digits of its low 32 bits.
#include <QString>
#include <cstdint>
#include <variant>

namespace platform::forms {
class MenuControl;
}

namespace zephalt {

// What the control's methods accept as an item: a host menu control, a key, or
// a command identifier.
using ItemName = std::variant<const platform::forms::MenuControl*, QString, std::int64_t>;

QString MakeItemKey(const platform::forms::MenuControl& control);
QString MakeItemKey(const QString& text);
QString MakeItemKey(std::int64_t number);
QString MakeItemKey(const ItemName& name);

} // namespace zephalt
