#pragma once
// The main window's form description: its menu controls from the menu tree,
// each with the click handler the window gives for its name.
#include "platform/forms/FormDescription.h"
#include <QHash>
#include <QString>
#include <functional>

namespace quillet {

using MenuHandlers = QHash<QString, std::function<void(int index)>>;

// Entries without a handler stay in the menus and do nothing when chosen.
platform::forms::FormDescription mainFormDescription(const MenuHandlers& handlers);

// The main window's form file, compiled into the program: the menu control it
// carries and that control's stored settings (fonts, the sixteen menu pictures).
QString mainFormFilePath();

} // namespace quillet
