#pragma once
// How a control library tells the form engine which classes it serves. Each
// library exports one C function with this name and signature; the engine
// calls it once with a registry, and the library adds a factory for each of
// its class names:
//
//   PLATFORM_FORMS_EXPORT void platform_register_controls(
//       platform::forms::ControlRegistry& registry) {
//       registry.add("Maker.Widget", [] { return std::make_unique<Widget>(); });
//   }
#include "platform/forms/Control.h"
#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace platform::forms {

using ControlFactory = std::function<std::unique_ptr<Control>()>;

class ControlRegistry {
public:
    // Class names match without regard to case; a second factory for a name
    // already added is ignored.
    void add(const QString& className, ControlFactory factory);
    const ControlFactory* find(const QString& className) const;
    QStringList classNames() const;

private:
    struct Entry {
        QString className;
        ControlFactory factory;
    };
    std::vector<Entry> entries_;
};

constexpr const char* RegisterControlsSymbol = "platform_register_controls";
using RegisterControlsFunction = void (*)(ControlRegistry&);

} // namespace platform::forms

#define PLATFORM_FORMS_EXPORT extern "C" __attribute__((visibility("default")))
