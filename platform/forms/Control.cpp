#include "platform/forms/Control.h"

namespace platform::forms {

ControlSite::~ControlSite() = default;

Control::~Control() = default;

void Control::initializeNew(ControlSite& site) {
    initialize(site);
}

void Control::writeProperties(PropertyBag&) {}

} // namespace platform::forms
