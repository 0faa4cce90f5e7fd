#include "reader/mainwindow/MainMenus.h"

#include "reader/mainwindow/MenuTree.h"

namespace quillet {

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
