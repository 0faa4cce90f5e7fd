#include "menuctl/engine/ShortcutText.h"

namespace zephalt {

QString shortcutText(int code) {
    if (code >= 1 && code <= 26) {
        return QStringLiteral("Ctrl+") + QChar(u'A' + (code - 1));
    }
    if (code >= 27 && code <= 38) {
        return QStringLiteral("F%1").arg(code - 26);
    }
    if (code >= 39 && code <= 50) {
        return QStringLiteral("Ctrl+F%1").arg(code - 38);
    }
    if (code >= 51 && code <= 62) {
        return QStringLiteral("Shift+F%1").arg(code - 50);
    }
    if (code >= 63 && code <= 74) {
        return QStringLiteral("Shift+Ctrl+F%1").arg(code - 62);
    }
    switch (code) {
    case 75:
        return QStringLiteral("Ctrl+Ins");
    case 76:
        return QStringLiteral("Shift+Ins");
    case 77:
        return QStringLiteral("Del");
    case 78:
        return QStringLiteral("Shift+Del");
    case 79:
        return QStringLiteral("Alt+Bksp");
    default:
        return {};
    }
}

} // namespace zephalt
