#include "platform/forms/PropertyPage.h"

namespace platform::forms {

PropertyPage::PropertyPage(QWidget* parent) : QWidget(parent) {}

PropertyPage::~PropertyPage() = default;

void PropertyPage::initialisePage() {}

void PropertyPage::applyChanges() {
    // A page without an apply step has nothing pending once asked.
    setChanged(false);
}

void PropertyPage::closePage() {}

void PropertyPage::setChanged(bool changed) {
    if (changed == changed_) {
        return;
    }
    changed_ = changed;
    emit changedChanged(changed);
}

} // namespace platform::forms
