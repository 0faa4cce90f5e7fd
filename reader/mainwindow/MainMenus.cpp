#include "reader/mainwindow/MainMenus.h"

#include "reader/mainwindow/MenuTree.h"

// The resources of a static library are registered by hand, outside any namespace.
static void registerReaderResources() {
    Q_INIT_RESOURCE(reader);
}

namespace quillet {

QString mainFormFilePath() {
    static const bool registered = (registerReaderResources(), true);
    (void)registered;
    return QStringLiteral(":/quillet/forms/Form1.frm");
}

platform::forms::FormDescription mainFormDescription(const MenuHandlers& handlers) {
    platform::forms::FormDescription form;
    form.name = QStringLiteral("Form1");
    for (const MenuEntry& entry : mainMenuTree()) {
        platform::forms::MenuControlDescription menu;
        menu.name = entry.name;
        menu.index = entry.index;
        menu.parentName = entry.parent;
        menu.parentIndex = entry.parentIndex;
        menu.caption = entry.caption;
        menu.checked = entry.checked;
        menu.visible = entry.visible;
        menu.onClick = handlers.value(entry.name);
        form.menus.push_back(std::move(menu));
    }
    return form;
}

} // namespace quillet
