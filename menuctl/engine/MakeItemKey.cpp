#include "menuctl/engine/MakeItemKey.h"
#include "platform/forms/MenuControl.h"

namespace zephalt {

QString MakeItemKey(const platform::forms::MenuControl& control) {
    if (control.isArrayElement()) {
        return QStringLiteral("%1(%2)").arg(control.name()).arg(control.index());
    }
    return control.name();
}

QString MakeItemKey(const QString& text) {
    return text;
}

QString MakeItemKey(std::int64_t number) {
    const auto low = static_cast<std::uint32_t>(number);
    return u':' + QString::number(low, 16).toUpper().rightJustified(8, u'0');
}

QString MakeItemKey(const ItemName& name) {
    return std::visit(
        [](const auto& value) -> QString {
            using T = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<T, const platform::forms::MenuControl*>) {
                // A missing control names nothing; its key matches no item of a form.
                return value ? MakeItemKey(*value) : QString();
            } else {
                return MakeItemKey(value);
            }
        },
        name);
}

} // namespace zephalt
