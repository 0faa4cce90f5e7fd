#pragma once
// A property page: one tab of the property dialog that a designer shows for
// the selected controls. A control class declares its pages by overriding
// Control::propertyPages(); each factory makes a fresh page every time the
// dialog opens, and the dialog owns and destroys it.
//
// The dialog drives a page through four events, in this order:
//   1. initialisePage()    once, right after the page is made: fill the fixed
//                          lists and set up what does not depend on a control.
//   2. selectionChanged()  when the dialog opens (and whenever the designer's
//                          selection changes while it is open): load the
//                          controls from the first selected control.
//   3. applyChanges()      on 適用 and on OK, only while the page is marked
//                          changed. A page that applies successfully calls
//                          setChanged(false); a page that refuses (for a value
//                          it shows a message about) stays changed, and OK
//                          then keeps the dialog open.
//   4. closePage()         once, when the dialog closes by OK, キャンセル or
//                          its close box.
// A page marks itself changed (setChanged(true)) when the user edits
// something that only applyChanges() writes back; that enables 適用. Pages
// whose edits take effect at once need not use the flag. Whenever a page
// changes a stored property of a control it tells the form through
// SelectedControl::site->propertyChanged(name), which makes the form dirty.
#include "platform/forms/Control.h"
#include <QString>
#include <QWidget>
#include <vector>

namespace platform::forms {

// One selected control and the site through which it reaches its form (its
// menus, its neighbours, message boxes, property-changed notifications).
struct SelectedControl {
    Control* control = nullptr;
    ControlSite* site = nullptr;
};

class PropertyPage : public QWidget {
    Q_OBJECT
public:
    explicit PropertyPage(QWidget* parent = nullptr);
    ~PropertyPage() override;

    // The tab's text.
    virtual QString caption() const = 0;

    virtual void initialisePage();
    virtual void selectionChanged(const std::vector<SelectedControl>& selected) = 0;
    virtual void applyChanges();
    virtual void closePage();

    bool changed() const { return changed_; }
    void setChanged(bool changed);

signals:
    void changedChanged(bool changed);

private:
    bool changed_ = false;
};

} // namespace platform::forms
