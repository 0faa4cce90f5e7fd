#pragma once
// The main window's menu controls in form order: the menu bar's menus, their
// entries and separators, and the three pop-up menus that are not in the bar.
#include <QString>
#include <vector>

namespace quillet {

struct MenuEntry {
    QString name;
    int index = -1;  // -1: not an element of a control array
    QString caption; // "-" is a separator
    QString parent;  // empty for a menu of the bar or a pop-up menu
    int parentIndex = -1;
    bool visible = true; // the pop-up menus are invisible menus of the bar
    bool checked = false;
};

const std::vector<MenuEntry>& mainMenuTree();

} // namespace quillet
