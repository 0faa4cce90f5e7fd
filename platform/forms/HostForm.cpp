#include "platform/forms/HostForm.h"
#include "platform/forms/FormFile.h"
#include "platform/forms/HostedControl.h"
#include "platform/forms/MenuShortcuts.h"
#include "platform/forms/MenuTree.h"
#include "platform/forms/SizeLimits.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/win/MenuManager.h"
#include "platform/win/Menus.h"
#include "platform/win/Messages.h"
#include "platform/win/Window.h"
#include <QHash>
#include <QMainWindow>
#include <QSet>
#include <QWidget>
#include <algorithm>
#include <exception>

namespace platform::forms {

namespace {

// The window property through which the form's window procedure finds its form.
const QString FormProperty = QStringLiteral("platform.forms.HostForm");

template <typename Call> void reportingFailures(const char* what, Call call) {
    // Nothing may throw through a window procedure: the procedures in front
    // of the form's own one live in other libraries.
    try {
        call();
    } catch (const RuntimeError& error) {
        qWarning("%s: error %d: %s", what, error.number(), qPrintable(error.description()));
    } catch (const std::exception& error) {
        qWarning("%s: %s", what, error.what());
    }
}

} // namespace

HostForm::HostForm(QWidget* window, FormDescription description,
                   std::shared_ptr<ControlLibraries> libraries)
    : window_(window), description_(std::move(description)), libraries_(std::move(libraries)),
      menus_(std::make_unique<MenuTree>(description_.menus)),
      windowWatch_(std::make_unique<QObject>()) {
    if (window == nullptr) {
        throw RuntimeError(err::ObjectNotSet);
    }
    QObject::connect(window, &QObject::destroyed, windowWatch_.get(), [this] { unload(); });
}

HostForm::~HostForm() {
    unload();
}

void HostForm::load() {
    if (isLoaded()) {
        return;
    }
    if (!window_) {
        throw RuntimeError(err::ObjectNotSet);
    }
    hwnd_ = win::CreateWindowHandle(window_, description_.windowClass, &HostForm::windowProc);
    if (hwnd_ == 0) {
        throw RuntimeError(
            err::InvalidCall,
            QStringLiteral("フォーム %1 のウィンドウを作成できません。").arg(description_.name));
    }
    win::SetProp(hwnd_, FormProperty, reinterpret_cast<win::HANDLE>(this));
    try {
        readFormFileOnce();
        menus_->build(hwnd_);
        if (userMode_) {
            // While a form is designed its menu shortcuts are text only; the
            // keys belong to the designer.
            shortcuts_ = std::make_unique<MenuShortcuts>(window_, hwnd_);
            for (MenuControl* control : menus_->controls()) {
                shortcuts_->update(*control);
            }
        }
        menus_->setShortcutListener([this](MenuControl& control) {
            if (shortcuts_) {
                shortcuts_->update(control);
            }
        });
        attachMenuBar();
        sizeLimits_ = std::make_unique<SizeLimits>(window_, hwnd_);
        createControls();
    } catch (...) {
        unload();
        throw;
    }
    // Asked once the controls are in, so that their procedures have a say.
    sizeLimits_->update();
}

void HostForm::checkNewControlName(const QString& name) const {
    const bool taken = std::any_of(controls_.begin(), controls_.end(), [&](const auto& control) {
        return control->controlName().compare(name, Qt::CaseInsensitive) == 0;
    });
    if (name.isEmpty() || taken) {
        throw RuntimeError(
            err::InvalidCall,
            QStringLiteral("コントロール名 %1 が正しくないか、重複しています。").arg(name));
    }
}

void HostForm::readFormFileOnce() {
    if (description_.formFile.isEmpty()) {
        return;
    }
    // Read once: the controls of the file become part of the description,
    // and so do its menus when the description lists none of its own.
    FormFile file = readFormFile(description_.formFile);
    description_.formFile.clear();
    for (ControlDescription& control : file.controls) {
        description_.controls.push_back(std::move(control));
    }
    if (description_.menus.empty() && !file.menus.empty()) {
        auto menus = std::make_unique<MenuTree>(file.menus);
        description_.menus = std::move(file.menus);
        menus_ = std::move(menus);
    }
}

void HostForm::createControls() {
    for (const ControlDescription& description : description_.controls) {
        checkNewControlName(description.name);
        if (!libraries_) {
            libraries_ = std::make_shared<ControlLibraries>();
        }
        CreatedControl created = libraries_->create(description.className);
        controls_.push_back(
            std::make_unique<HostedControl>(*this, description.name, description.className,
                                            std::move(created), description.properties));
    }
    // Every control exists before the first initializes, so each sees all
    // of its neighbours.
    for (const std::unique_ptr<HostedControl>& control : controls_) {
        control->initialize();
    }
}

void HostForm::attachMenuBar() {
    if (menus_->empty()) {
        return;
    }
    win::installMenuKeys(window_, hwnd_);
    if (auto* mainWindow = qobject_cast<QMainWindow*>(window_.data())) {
        auto* bar = new win::MenuBarWidget(hwnd_, mainWindow); // owned by the main window
        mainWindow->setMenuWidget(bar);
        menuBar_ = bar;
    }
}

void HostForm::unload() {
    if (!isLoaded() || unloading_) {
        return;
    }
    unloading_ = true;
    // Controls go first and in reverse order, while the window still exists,
    // so each can put back the window procedure it replaced.
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        (*it)->terminate();
    }
    controls_.clear();
    sizeLimits_.reset();
    menus_->setShortcutListener({});
    shortcuts_.reset();
    delete menuBar_.data();
    const win::HWND hwnd = hwnd_;
    if (win::IsWindow(hwnd)) {
        // The menus are the form's, not the window's, and are destroyed below.
        win::SetMenu(hwnd, 0);
        win::DestroyWindowHandle(hwnd);
    }
    hwnd_ = 0;
    menus_->destroyNative();
    unloading_ = false;
}

const std::vector<MenuControl*>& HostForm::menuControls() const {
    return menus_->controls();
}

MenuControl* HostForm::menuControl(const QString& name, int index) const {
    return menus_->find(name, index);
}

MenuControl* HostForm::menuControlByCommand(win::UINT commandId) const {
    return menus_->findByCommand(commandId);
}

void HostForm::popupMenu(const QString& name, QPoint globalPos, int index) {
    MenuControl* control = menus_->find(name, index);
    if (control == nullptr) {
        throw RuntimeError(err::ElementNotFound,
                           QStringLiteral("メニュー %1 がありません。").arg(name));
    }
    if (!isLoaded() || control->subMenu() == 0) {
        throw RuntimeError(err::InvalidCall,
                           QStringLiteral("メニュー %1 には項目がありません。").arg(name));
    }
    // The choice comes back here rather than being posted, so the click has
    // run when the caller goes on, as a pop-up menu's caller expects.
    const win::BOOL chosen = win::TrackPopupMenu(
        control->subMenu(), win::TPM_LEFTALIGN | win::TPM_TOPALIGN | win::TPM_RETURNCMD,
        globalPos.x(), globalPos.y(), 0, hwnd_, nullptr);
    if (chosen > 0 && isLoaded()) {
        win::SendMessage(hwnd_, win::WM_COMMAND, win::MAKEWPARAM(static_cast<win::WORD>(chosen), 0),
                         0);
    }
}

std::vector<HostedControlInfo> HostForm::controls() const {
    std::vector<HostedControlInfo> all;
    for (const ControlDescription& description : description_.controls) {
        all.push_back({description.name, description.className});
    }
    return all;
}

void HostForm::placeControl(const QString& className, const QString& controlName) {
    if (!isLoaded()) {
        throw RuntimeError(err::InvalidCall);
    }
    checkNewControlName(controlName);
    if (!libraries_) {
        libraries_ = std::make_shared<ControlLibraries>();
    }
    CreatedControl created = libraries_->create(className);
    description_.controls.push_back({controlName, className, {}});
    controls_.push_back(std::make_unique<HostedControl>(*this, controlName, className,
                                                        std::move(created), QVariantMap{}));
    try {
        controls_.back()->initializeNew();
    } catch (...) {
        // A control that cannot start is not left half-placed on the form.
        controls_.pop_back();
        description_.controls.pop_back();
        throw;
    }
}

void HostForm::removeControl(const QString& controlName) {
    const auto found = std::find_if(controls_.begin(), controls_.end(), [&](const auto& control) {
        return control->controlName().compare(controlName, Qt::CaseInsensitive) == 0;
    });
    if (found == controls_.end()) {
        return;
    }
    const QString name = (*found)->controlName();
    // Out of the list before it terminates, so that what it does on the way
    // out no longer counts it among the form's controls.
    std::unique_ptr<HostedControl> leaving = std::move(*found);
    controls_.erase(found);
    std::erase_if(description_.controls,
                  [&](const ControlDescription& control) { return control.name == name; });
    leaving->terminate();
}

HostedControl* HostForm::hostedControl(const QString& controlName) const {
    for (const std::unique_ptr<HostedControl>& control : controls_) {
        if (control->controlName().compare(controlName, Qt::CaseInsensitive) == 0) {
            return control.get();
        }
    }
    return nullptr;
}

void HostForm::saveFormFile(const QString& path) {
    FormFile file;
    file.formName = description_.name;
    file.menus = description_.menus;
    for (const std::unique_ptr<HostedControl>& control : controls_) {
        const PropertyBag* stored = storedProperties(control->controlName());
        file.controls.push_back({control->controlName(), control->className(),
                                 stored ? stored->values() : QVariantMap{}});
    }
    writeFormFile(path, file);
    changedProperties_.clear();
}

MessagePresenter& HostForm::messages() {
    if (presenter_ != nullptr) {
        return *presenter_;
    }
    if (!ownPresenter_) {
        ownPresenter_ = std::make_unique<QtMessagePresenter>(window_.data());
    }
    return *ownPresenter_;
}

void HostForm::controlPropertyChanged(const QString& control, const QString& property) {
    changedProperties_.append(control + u'.' + property);
}

const PropertyBag* HostForm::storedProperties(const QString& controlName) {
    for (const std::unique_ptr<HostedControl>& control : controls_) {
        if (control->controlName().compare(controlName, Qt::CaseInsensitive) == 0) {
            PropertyBag& bag = control->properties();
            QHash<QString, QString> spelling; // case-folded name -> name as stored
            for (const QString& name : bag.values().keys()) {
                spelling.insert(name.toCaseFolded(), name);
            }
            reportingFailures("writing stored properties",
                              [&] { control->control().writeProperties(bag); });
            // A control may write a fresh bag with its own spelling of names;
            // names already stored keep theirs, so that saving an unchanged
            // form gives the same file.
            const QVariantMap written = bag.values();
            PropertyBag respelled;
            for (auto it = written.begin(); it != written.end(); ++it) {
                respelled.write(spelling.value(it.key().toCaseFolded(), it.key()), it.value());
            }
            bag = respelled;
            return &bag;
        }
    }
    return nullptr;
}

void HostForm::updateSizeLimits() {
    if (sizeLimits_) {
        sizeLimits_->update();
    }
}

void HostForm::setOwnSizeLimits(QSize minimum, QSize maximum) {
    if (sizeLimits_) {
        sizeLimits_->setOwnLimits(minimum, maximum);
    } else if (window_) {
        window_->setMinimumSize(minimum);
        window_->setMaximumSize(maximum);
    }
}

win::LRESULT HostForm::windowProc(win::HWND hwnd, win::UINT message, win::WPARAM wParam,
                                  win::LPARAM lParam) {
    auto* form = reinterpret_cast<HostForm*>(win::GetProp(hwnd, FormProperty));
    if (form == nullptr || form->hwnd_ != hwnd) {
        return win::DefWindowProc(hwnd, message, wParam, lParam);
    }
    return form->handleMessage(message, wParam, lParam);
}

win::LRESULT HostForm::handleMessage(win::UINT message, win::WPARAM wParam, win::LPARAM lParam) {
    switch (message) {
    case win::WM_COMMAND:
        command(wParam, lParam);
        return 0;
    case win::WM_INITMENUPOPUP:
        // Opening a menu control's pop-up is its click, so the form's code can
        // bring the items up to date before they show.
        if (win::HIWORD(static_cast<std::uintptr_t>(lParam)) == 0) {
            if (MenuControl* control = menus_->findBySubMenu(wParam)) {
                reportingFailures("menu click", [control] { control->click(); });
            }
        }
        return 0;
    case win::WM_GETMINMAXINFO:
        // The record arrives holding the form's own limits (SizeLimits).
        return 0;
    case win::WM_DESTROY:
        return 0;
    default:
        return win::DefWindowProc(hwnd_, message, wParam, lParam);
    }
}

void HostForm::command(win::WPARAM wParam, win::LPARAM lParam) {
    if (lParam != 0) {
        return; // a notification from a child control, not a menu choice
    }
    MenuControl* control = menus_->findByCommand(win::LOWORD(wParam));
    if (control == nullptr || control->subMenu() != 0 || control->isSeparator() ||
        !control->enabled()) {
        return;
    }
    reportingFailures("menu click", [control] { control->click(); });
}

void HostForm::deliverEvent(const QString& control, const QString& event, QVariantList& args) {
    if (eventHandler_) {
        reportingFailures("control event", [&] { eventHandler_(control, event, args); });
    }
}

} // namespace platform::forms
