#include "platform/forms/HostedControl.h"
#include "platform/forms/HostForm.h"
#include "platform/runtime/RuntimeError.h"
#include <QtGlobal>
#include <exception>

namespace platform::forms {

HostedControl::HostedControl(HostForm& form, QString name, QString className,
                             CreatedControl created, const QVariantMap& stored)
    : form_(form), name_(std::move(name)), className_(std::move(className)), properties_(stored),
      created_(std::move(created)) {}

HostedControl::~HostedControl() {
    terminate();
}

void HostedControl::initialize() {
    runInitialization([this] { created_.control->initialize(*this); });
}

void HostedControl::initializeNew() {
    runInitialization([this] { created_.control->initializeNew(*this); });
}

template <typename Call> void HostedControl::runInitialization(Call call) {
    if (initialized_) {
        return;
    }
    try {
        call();
    } catch (const RuntimeError&) {
        throw;
    } catch (const std::exception& error) {
        // Only runtime errors leave the platform; anything else a control
        // library throws is reported as one.
        throw RuntimeError(CannotCreateObject,
                           QStringLiteral("コントロール %1 (%2) を初期化できません。%3")
                               .arg(name_, className_, QString::fromLocal8Bit(error.what())));
    }
    initialized_ = true;
}

void HostedControl::terminate() {
    if (!initialized_) {
        return;
    }
    initialized_ = false;
    try {
        created_.control->terminate();
    } catch (const std::exception& error) {
        // Unloading goes on: the window and the other controls still have to go.
        qWarning("control %s failed to terminate: %s", qPrintable(name_), error.what());
    }
}

win::HWND HostedControl::containerWindow() const {
    return form_.windowHandle();
}

bool HostedControl::userMode() const {
    return form_.userMode();
}

std::vector<HostedControlInfo> HostedControl::containerControls() const {
    return form_.controls();
}

std::vector<MenuControl*> HostedControl::menuControls() const {
    return form_.menuControls();
}

MenuControl* HostedControl::findMenuControl(const QString& name, int index) const {
    return form_.menuControl(name, index);
}

MsgResult HostedControl::showMessage(const QString& text, MsgButtons buttons, MsgIcon icon,
                                     const QString& title) {
    return form_.messages().show(text, buttons, icon, title);
}

void HostedControl::propertyChanged(const QString& name) {
    form_.controlPropertyChanged(name_, name);
}

void HostedControl::deliverEvent(const QString& event, QVariantList& args) {
    form_.deliverEvent(name_, event, args);
}

} // namespace platform::forms
