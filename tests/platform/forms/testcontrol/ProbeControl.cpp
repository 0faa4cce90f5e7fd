// A control that reports to its host what the form offered it, and puts a
// window procedure in front of the form's own one while it runs, the way a
// menu-drawing control does.
#include "platform/forms/ControlRegistry.h"
#include "platform/forms/PropertyPage.h"
#include "platform/win/Messages.h"
#include "platform/win/Window.h"
#include <QLineEdit>
#include <QStringList>
#include <QVBoxLayout>
#include <memory>

using namespace platform::win;
using platform::forms::ControlSite;
using platform::forms::MenuControl;

namespace {

// Messages the tests send to the form to reach the probe.
constexpr UINT ProbeEcho = WM_USER + 1;           // answers ProbeAnswer
constexpr UINT ProbeChangeShortcut = WM_USER + 2; // wParam: new code for mnuFileOpen
constexpr LRESULT ProbeAnswer = 0x5EED;
// Two probes may sit on one form; each finds itself through its own window
// property and procedure, chosen by its stored "Slot" (0 or 1).
QString probeProperty(int slot) {
    return QStringLiteral("probeCtrlPtr%1").arg(slot);
}

QString keyOf(const MenuControl* control) {
    if (control == nullptr) {
        return QStringLiteral("-");
    }
    return control->isArrayElement()
               ? QStringLiteral("%1(%2)").arg(control->name()).arg(control->index())
               : control->name();
}

// One page that edits the stored "Caption": the edit marks the page changed,
// and applying writes the value and tells the form.
class ProbePage final : public platform::forms::PropertyPage {
public:
    ProbePage() {
        edit_ = new QLineEdit(this);
        edit_->setObjectName(QStringLiteral("caption"));
        (new QVBoxLayout(this))->addWidget(edit_);
        connect(edit_, &QLineEdit::textEdited, this, [this] { setChanged(true); });
    }
    QString caption() const override { return QStringLiteral("プローブ"); }
    void selectionChanged(const std::vector<platform::forms::SelectedControl>& selected) override {
        site_ = selected.empty() ? nullptr : selected.front().site;
        edit_->setText(site_ ? site_->properties().read(QStringLiteral("Caption")).toString()
                             : QString());
    }
    void applyChanges() override {
        if (site_ != nullptr) {
            site_->properties().write(QStringLiteral("Caption"), edit_->text(), QString());
            site_->propertyChanged(QStringLiteral("Caption"));
        }
        setChanged(false);
    }

private:
    QLineEdit* edit_ = nullptr;
    ControlSite* site_ = nullptr;
};

class ProbeControl final : public platform::forms::Control {
public:
    std::vector<platform::forms::PropertyPageFactory> propertyPages() const override {
        return {[] { return std::make_unique<ProbePage>(); }};
    }

    void initialize(ControlSite& site) override {
        site_ = &site;
        int probesOnForm = 0;
        for (const auto& control : site.containerControls()) {
            probesOnForm += control.className == QLatin1String("TestHost.Probe") ? 1 : 0;
        }
        QStringList menus;
        for (const MenuControl* menu : site.menuControls()) {
            menus.append(QStringLiteral("%1 id=%2 sub=%3 next=%4 last=%5 key=%6")
                             .arg(keyOf(menu))
                             .arg(menu->commandId())
                             .arg(menu->subMenu() != 0 ? 1 : 0)
                             .arg(keyOf(menu->nextSibling()))
                             .arg(menu->isLastSibling() ? 1 : 0)
                             .arg(menu->shortcut()));
        }
        site.properties().write(QStringLiteral("SeenByProbe"), true, false);
        site.properties().write(QStringLiteral("SameAsDefault"), 5, 5);
        site.raiseEvent(QStringLiteral("Loaded"),
                        {site.userMode(), static_cast<qulonglong>(site.containerWindow()),
                         site.properties().read(QStringLiteral("Caption"), QStringLiteral("none")),
                         site.properties().read(QStringLiteral("Missing"), 42), probesOnForm,
                         menus});
        if (!site.userMode()) {
            return; // while a form is designed its window is left alone
        }
        hwnd_ = site.containerWindow();
        slot_ = site.properties().read(QStringLiteral("Slot"), 0).toInt() == 1 ? 1 : 0;
        SetProp(hwnd_, probeProperty(slot_), reinterpret_cast<HANDLE>(this));
        const WNDPROC proc = slot_ == 1 ? &hostProc<1> : &hostProc<0>;
        previous_ = SetWindowLongPtr(hwnd_, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
        site.raiseEvent(QStringLiteral("Hooked"), {static_cast<qlonglong>(previous_)});
    }

    void terminate() override {
        if (previous_ != 0) {
            SetWindowLongPtr(hwnd_, GWL_WNDPROC, previous_);
            RemoveProp(hwnd_, probeProperty(slot_));
            previous_ = 0;
        }
        site_->raiseEvent(QStringLiteral("Terminated"));
    }

    void writeProperties(platform::forms::PropertyBag& bag) override {
        bag.write(QStringLiteral("SavedOnRequest"), 1, 0);
    }

private:
    template <int Slot>
    static LRESULT hostProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* probe = reinterpret_cast<ProbeControl*>(GetProp(hwnd, probeProperty(Slot)));
        if (probe == nullptr) {
            return DefWindowProc(hwnd, message, wParam, lParam);
        }
        return probe->windowProc(hwnd, message, wParam, lParam);
    }

    LRESULT windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        const auto previous = reinterpret_cast<WNDPROC>(previous_);
        switch (message) {
        case ProbeEcho:
            site_->raiseEvent(QStringLiteral("Echo"), {static_cast<qulonglong>(wParam)});
            return ProbeAnswer;
        case ProbeChangeShortcut: {
            MenuControl* open = site_->findMenuControl(QStringLiteral("mnuFileOpen"));
            if (open == nullptr) {
                return -1;
            }
            const int before = open->shortcut();
            open->setShortcut(static_cast<int>(wParam));
            return before;
        }
        case WM_GETMINMAXINFO: {
            CallWindowProc(previous, hwnd, message, wParam, lParam);
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            QVariantList args{info->ptMinTrackSize.x, info->ptMinTrackSize.y,
                              info->ptMaxTrackSize.x, info->ptMaxTrackSize.y};
            site_->raiseEvent(QStringLiteral("GetMinMaxInfo"), args);
            info->ptMinTrackSize = {args[0].toInt(), args[1].toInt()};
            info->ptMaxTrackSize = {args[2].toInt(), args[3].toInt()};
            return -1;
        }
        default:
            return CallWindowProc(previous, hwnd, message, wParam, lParam);
        }
    }

    ControlSite* site_ = nullptr;
    HWND hwnd_ = 0;
    int slot_ = 0;
    LONG_PTR previous_ = 0;
};

} // namespace

PLATFORM_FORMS_EXPORT void platform_register_controls(platform::forms::ControlRegistry& registry) {
    registry.add(QStringLiteral("TestHost.Probe"), [] { return std::make_unique<ProbeControl>(); });
}
