#include "platform/forms/Control.h"
#include "platform/forms/PropertyPage.h"

namespace platform::forms {

ControlSite::~ControlSite() = default;

Control::~Control() = default;

void Control::initializeNew(ControlSite& site) {
    initialize(site);
}

void Control::writeProperties(PropertyBag&) {}

std::vector<PropertyPageFactory> Control::propertyPages() const {
    return {};
}

QSize Control::designExtent(QSize proposedTwips) {
    return proposedTwips;
}

void Control::paintDesign(win::HDC, const win::RECT&) {}

} // namespace platform::forms
