#pragma once
// One control on a form: the control object, its stored properties and the
// site through which it reaches the form.
#include "platform/forms/Control.h"
#include "platform/forms/ControlLibraries.h"
#include "platform/forms/PropertyBag.h"

namespace platform::forms {

class HostForm;

class HostedControl final : public ControlSite {
public:
    HostedControl(HostForm& form, QString name, QString className, CreatedControl created,
                  const QVariantMap& stored);
    ~HostedControl() override;

    const QString& className() const { return className_; }
    Control& control() { return *created_.control; }
    bool initialized() const { return initialized_; }
    // Runs initialize once; a control that failed to initialize is not
    // terminated.
    void initialize();
    void terminate();

    win::HWND containerWindow() const override;
    bool userMode() const override;
    QString controlName() const override { return name_; }
    PropertyBag& properties() override { return properties_; }
    std::vector<HostedControlInfo> containerControls() const override;
    std::vector<MenuControl*> menuControls() const override;
    MenuControl* findMenuControl(const QString& name, int index) const override;

protected:
    void deliverEvent(const QString& event, QVariantList& args) override;

private:
    HostForm& form_;
    QString name_;
    QString className_;
    PropertyBag properties_;
    CreatedControl created_;
    bool initialized_ = false;
};

} // namespace platform::forms
