#pragma once
// The text a menu item shows for a shortcut code (zxShortCut, 0 to 79).
#include <QString>

namespace zephalt {

// Empty for code 0 and for every code outside the table.
QString shortcutText(int code);

} // namespace zephalt
