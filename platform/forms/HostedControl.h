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
    // The same for a new instance placed on the form (Control::initializeNew).
    void initializeNew();
    void terminate();

    win::HWND containerWindow() const override;
    bool userMode() const override;
    QString controlName() const override { return name_; }
    PropertyBag& properties() override { return properties_; }
    std::vector<HostedControlInfo> containerControls() const override;
    std::vector<MenuControl*> menuControls() const override;
    MenuControl* findMenuControl(const QString& name, int index) const override;
    MsgResult showMessage(const QString& text, MsgButtons buttons, MsgIcon icon,
                          const QString& title) override;
    void propertyChanged(const QString& name) override;

protected:
    void deliverEvent(const QString& event, QVariantList& args) override;

private:
    HostForm& form_;
    QString name_;
    QString className_;
    PropertyBag properties_;
    CreatedControl created_;
    bool initialized_ = false;

    template <typename Call> void runInitialization(Call call);
};

} // namespace platform::forms
