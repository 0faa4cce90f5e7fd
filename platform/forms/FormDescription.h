#pragma once
// What a form is made of before it loads: its menu controls and the controls it
// hosts by class name, with the values those controls stored last time.
#include <QString>
#include <QVariantMap>
#include <functional>
#include <vector>

namespace platform::forms {

// Index -1 means the menu control is not an element of a control array.
constexpr int NoIndex = -1;

struct MenuControlDescription {
    QString name;
    int index = NoIndex;
    // The menu control this one opens from; an empty name puts it at the top
    // level (in the menu bar when visible, else a pop-up menu of its own).
    QString parentName;
    int parentIndex = NoIndex;
    QString caption; // "-" makes a separator
    bool checked = false;
    bool enabled = true;
    bool visible = true;
    int shortcut = 0; // a shortcut code, see ShortcutCodes.h
    std::function<void(int index)> onClick;
};

struct ControlDescription {
    QString name;
    QString className;
    QVariantMap properties; // the stored property values, by name
};

// Menu controls and controls are listed in form order; a menu control's
// parent comes before it.
struct FormDescription {
    QString name;
    // Control libraries take a window class that begins with "ThunderRT" as the
    // sign of a running program rather than a designer.
    QString windowClass = QStringLiteral("ThunderRT6FormDC");
    std::vector<MenuControlDescription> menus;
    std::vector<ControlDescription> controls;
    // A form file (FormFile.h) whose controls load after those listed above;
    // empty for none. A file that cannot be read fails the load.
    QString formFile;
};

} // namespace platform::forms
