#pragma once
// A form of the running program: a top-level widget given a window handle,
// native menus made from its menu controls, and the controls it hosts by class
// name. The form's window procedure routes menu commands to the menu
// controls' click handlers and reports the form's size limits; controls may
// put their own window procedures in front of it.
#include "platform/forms/Control.h"
#include "platform/forms/ControlLibraries.h"
#include "platform/forms/FormDescription.h"
#include "platform/forms/MenuControl.h"
#include "platform/forms/PropertyBag.h"
#include "platform/runtime/MessageBox.h"
#include "platform/win/WinTypes.h"
#include <QPoint>
#include <QPointer>
#include <QSize>
#include <QVariantList>
#include <functional>
#include <memory>
#include <vector>

class QWidget;

namespace platform::forms {

class HostedControl;
class MenuShortcuts;
class MenuTree;
class SizeLimits;

// An event a hosted control raised: the control's name, the event's name and
// its arguments, which the handler may change.
using ControlEventHandler =
    std::function<void(const QString& control, const QString& event, QVariantList& args)>;

class HostForm {
public:
    // The form does not own the window; it must be unloaded (or destroyed)
    // while the window lives, or it unloads itself when the window goes.
    // Libraries default to those of the program folder. Fails with a runtime
    // error when the menu controls are not a proper tree.
    HostForm(QWidget* window, FormDescription description,
             std::shared_ptr<ControlLibraries> libraries = {});
    ~HostForm();
    HostForm(const HostForm&) = delete;
    HostForm& operator=(const HostForm&) = delete;

    // Must be set before load; true unless set.
    void setUserMode(bool userMode) { userMode_ = userMode; }
    bool userMode() const { return userMode_; }
    void setEventHandler(ControlEventHandler handler) { eventHandler_ = std::move(handler); }
    // Where the controls' message boxes go; a Qt message box over the window
    // unless set. The presenter must outlive the form.
    void setMessagePresenter(MessagePresenter* presenter) { presenter_ = presenter; }
    MessagePresenter& messages();

    // Gives the window its handle, reads the form file if there is one (its
    // menus serve a form described without menus; handlers can be set on them
    // once loaded), builds the menus, creates and initializes the controls. A failure (such as
    // CannotCreateObject for a class that no library serves) undoes everything and is raised as a
    // runtime error.
    void load();
    // Terminates the controls in reverse order, then destroys the window
    // handle (WM_DESTROY goes through the window procedures) and the menus.
    void unload();
    bool isLoaded() const { return hwnd_ != 0; }

    QWidget* window() const { return window_; }
    win::HWND windowHandle() const { return hwnd_; }
    const QString& name() const { return description_.name; }

    // Menu controls in form order; lookups give null for an unknown one.
    const std::vector<MenuControl*>& menuControls() const;
    MenuControl* menuControl(const QString& name, int index = NoIndex) const;
    MenuControl* menuControlByCommand(win::UINT commandId) const;
    // Shows the sub-menu of a menu control (normally a hidden top-level one)
    // at a screen position; a chosen item's click runs before this returns.
    // Fails with a runtime error for an unknown control or one without items.
    void popupMenu(const QString& name, QPoint globalPos, int index = NoIndex);

    std::vector<HostedControlInfo> controls() const;
    // Places a new instance of a class on the loaded form, as a designer
    // does: the control sets its initial values (Control::initializeNew)
    // instead of reading stored ones. Fails with a runtime error for a name
    // already taken or a class that no library serves.
    void placeControl(const QString& className, const QString& controlName);
    // Takes a control off the loaded form, as a designer does: it terminates
    // and goes, with its stored properties. Unknown names do nothing.
    void removeControl(const QString& controlName);
    // A hosted control by name (case-insensitive), for a designer that shows
    // its look and its property pages; null for an unknown name.
    HostedControl* hostedControl(const QString& controlName) const;
    // The names of the stored properties controls said they changed, in the
    // order they said so, as "control.property"; cleared by saveFormFile.
    const QStringList& changedProperties() const { return changedProperties_; }
    // Writes the form file of the loaded form: its menu controls as described
    // and every hosted control with the properties it stores now. Atomic: the
    // old file stays whole on failure, and the changed properties are then
    // kept.
    void saveFormFile(const QString& path);
    // The control's stored properties after asking it to write them; null
    // for an unknown control name.
    const PropertyBag* storedProperties(const QString& controlName);

    // Asks the window procedures for the size limits now.
    void updateSizeLimits();
    // The form's own limits, given to the procedures first.
    void setOwnSizeLimits(QSize minimum, QSize maximum);

private:
    friend class HostedControl;
    static win::LRESULT windowProc(win::HWND hwnd, win::UINT message, win::WPARAM wParam,
                                   win::LPARAM lParam);
    win::LRESULT handleMessage(win::UINT message, win::WPARAM wParam, win::LPARAM lParam);
    void command(win::WPARAM wParam, win::LPARAM lParam);
    void deliverEvent(const QString& control, const QString& event, QVariantList& args);
    void controlPropertyChanged(const QString& control, const QString& property);
    void checkNewControlName(const QString& name) const;
    void readFormFileOnce();
    void createControls();
    void attachMenuBar();
    void windowDestroyed();

    QPointer<QWidget> window_;
    FormDescription description_;
    std::shared_ptr<ControlLibraries> libraries_;
    std::unique_ptr<MenuTree> menus_;
    bool userMode_ = true;
    ControlEventHandler eventHandler_;
    win::HWND hwnd_ = 0;
    QPointer<QWidget> menuBar_;
    std::unique_ptr<MenuShortcuts> shortcuts_;
    std::unique_ptr<SizeLimits> sizeLimits_;
    std::unique_ptr<QObject> windowWatch_;
    std::vector<std::unique_ptr<HostedControl>> controls_;
    bool unloading_ = false;
    MessagePresenter* presenter_ = nullptr;
    std::unique_ptr<MessagePresenter> ownPresenter_;
    QStringList changedProperties_;
};

} // namespace platform::forms
