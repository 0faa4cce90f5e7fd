#pragma once
// A control that a form hosts by class name, and what the form offers it.
// Control libraries implement Control; the form implements ControlSite.
#include "platform/forms/MenuControl.h"
#include "platform/forms/PropertyBag.h"
#include "platform/runtime/MessageBox.h"
#include "platform/win/WinTypes.h"
#include <QSize>
#include <QString>
#include <QVariantList>
#include <functional>
#include <memory>
#include <vector>

namespace platform::forms {

struct HostedControlInfo {
    QString name;
    QString className;
};

class ControlSite {
public:
    virtual ~ControlSite();

    // The window handle of the form that holds the control.
    virtual win::HWND containerWindow() const = 0;
    // True in the running program, false while a form is being designed.
    virtual bool userMode() const = 0;
    virtual QString controlName() const = 0;
    // The control's stored properties, loaded from the form description;
    // what the control writes stays here for the form to save.
    virtual PropertyBag& properties() = 0;
    // Every control the form hosts, this one included, in form order.
    virtual std::vector<HostedControlInfo> containerControls() const = 0;
    // The form's menu controls in form order, and one by name and index.
    virtual std::vector<MenuControl*> menuControls() const = 0;
    virtual MenuControl* findMenuControl(const QString& name, int index = NoIndex) const = 0;

    // Delivers an event to the form's code. The handler may change args (as
    // for arguments passed by reference); the caller reads them afterwards.
    // Shows a message box on behalf of the control, owned by the form.
    virtual MsgResult showMessage(const QString& text, MsgButtons buttons, MsgIcon icon,
                                  const QString& title) = 0;
    // Tells the form that a stored property changed, so that it saves the
    // control's properties again.
    virtual void propertyChanged(const QString& name) = 0;

    void raiseEvent(const QString& event, QVariantList& args) { deliverEvent(event, args); }
    void raiseEvent(const QString& event, QVariantList&& args = {}) { deliverEvent(event, args); }

protected:
    virtual void deliverEvent(const QString& event, QVariantList& args) = 0;
};

class PropertyPage;
// Makes one property page of a control class (see PropertyPage.h); the dialog
// that shows the page owns it.
using PropertyPageFactory = std::function<std::unique_ptr<PropertyPage>()>;

// The size a designer gives a control that does not choose one: 1200 twips
// square (80 pixels at 15 twips a pixel).
constexpr int DefaultDesignTwips = 1200;

class Control {
public:
    virtual ~Control();
    // Called once when the form loads, after its window and menus exist.
    virtual void initialize(ControlSite& site) = 0;
    // Called instead of initialize when a new instance is placed on a form
    // being designed: the control sets its initial values rather than reading
    // stored ones. By default it initializes as when loading.
    virtual void initializeNew(ControlSite& site);
    // Called once when the form unloads, while its window still exists; the
    // control undoes what it did to the window. The site is not used after.
    virtual void terminate() = 0;
    // Asked before the form saves the control's stored properties.
    virtual void writeProperties(PropertyBag& bag);

    // Design time. The pages a designer shows for this class, in tab order;
    // none by default.
    virtual std::vector<PropertyPageFactory> propertyPages() const;
    // The designer proposes an extent in twips (when placing or resizing);
    // the control answers with the extent it takes. By default it takes
    // what it is given.
    virtual QSize designExtent(QSize proposedTwips);
    // Paints the control's design-time look into dc, whose client rectangle
    // is bounds (pixels, origin at the control's top left). By default the
    // designer's own frame is all that shows.
    virtual void paintDesign(win::HDC dc, const win::RECT& bounds);
};

} // namespace platform::forms
