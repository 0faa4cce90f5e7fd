#include "platform/forms/MenuShortcuts.h"
#include "platform/forms/ShortcutCodes.h"
#include "platform/win/Messages.h"
#include "platform/win/Window.h"
#include <QShortcut>
#include <QWidget>

namespace platform::forms {

MenuShortcuts::MenuShortcuts(QWidget* form, win::HWND hwnd) : form_(form), hwnd_(hwnd) {}

MenuShortcuts::~MenuShortcuts() {
    for (auto& [control, shortcut] : shortcuts_) {
        delete shortcut.data();
    }
}

bool MenuShortcuts::reachable(const MenuControl& control) {
    if (!control.visible() || !control.enabled() || control.isSeparator()) {
        return false;
    }
    for (const MenuControl* up = control.parent(); up != nullptr; up = up->parent()) {
        if (!up->enabled() || (up->parent() != nullptr && !up->visible())) {
            return false;
        }
    }
    return true;
}

void MenuShortcuts::update(MenuControl& control) {
    const QKeySequence keys = shortcutKeys(control.shortcut());
    auto found = shortcuts_.find(&control);
    if (keys.isEmpty() || !form_) {
        if (found != shortcuts_.end()) {
            delete found->second.data();
            shortcuts_.erase(found);
        }
        return;
    }
    if (found == shortcuts_.end() || !found->second) {
        auto* shortcut = new QShortcut(form_); // owned by the form, deleted here first
        shortcut->setContext(Qt::WindowShortcut);
        const win::HWND hwnd = hwnd_;
        MenuControl* target = &control;
        QObject::connect(shortcut, &QShortcut::activated, shortcut, [hwnd, target] {
            if (reachable(*target)) {
                win::SendMessage(hwnd, win::WM_COMMAND,
                                 win::MAKEWPARAM(static_cast<win::WORD>(target->commandId()), 1),
                                 0);
            }
        });
        found = shortcuts_.insert_or_assign(&control, QPointer<QShortcut>(shortcut)).first;
    }
    found->second->setKey(keys);
}

} // namespace platform::forms
