// The library's one entry point: the form engine asks it which classes it
// serves.
#include "menuctl/engine/OwnerDrawMenu.h"
#include "platform/forms/ControlRegistry.h"

PLATFORM_FORMS_EXPORT void platform_register_controls(platform::forms::ControlRegistry& registry) {
    registry.add(zephalt::ClassName, [] { return std::make_unique<zephalt::OwnerDrawMenu>(); });
}
