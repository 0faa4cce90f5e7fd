#pragma once
// Menu shortcut codes: 0 none, 1-26 Ctrl+A to Ctrl+Z, 27-38 F1 to F12, 39-50
// Ctrl+F1 to Ctrl+F12, 51-62 Shift+F1 to Shift+F12, 63-74 Shift+Ctrl+F1 to
// Shift+Ctrl+F12, 75 Ctrl+Ins, 76 Shift+Ins, 77 Del, 78 Shift+Del,
// 79 Alt+Bksp. Other codes are no shortcut.
#include <QKeySequence>
#include <QString>

namespace platform::forms {

// The text a menu shows for the code right of its caption; empty for none.
QString shortcutText(int code);
// The keys that choose the item; empty for none.
QKeySequence shortcutKeys(int code);

} // namespace platform::forms
