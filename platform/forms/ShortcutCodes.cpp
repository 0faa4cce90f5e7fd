#include "platform/forms/ShortcutCodes.h"

namespace platform::forms {

namespace {

struct Shortcut {
    Qt::KeyboardModifiers modifiers;
    Qt::Key key = Qt::Key_unknown;
    QString text;
};

Shortcut functionKey(Qt::KeyboardModifiers modifiers, const char* prefix, int number) {
    return {modifiers, static_cast<Qt::Key>(Qt::Key_F1 + number - 1),
            QString::fromLatin1(prefix) + QString::number(number)};
}

Shortcut decode(int code) {
    if (code >= 1 && code <= 26) {
        const QChar letter(QLatin1Char(static_cast<char>('A' + code - 1)));
        return {Qt::ControlModifier, static_cast<Qt::Key>(Qt::Key_A + code - 1),
                QStringLiteral("Ctrl+") + letter};
    }
    if (code >= 27 && code <= 38) {
        return functionKey(Qt::NoModifier, "F", code - 26);
    }
    if (code >= 39 && code <= 50) {
        return functionKey(Qt::ControlModifier, "Ctrl+F", code - 38);
    }
    if (code >= 51 && code <= 62) {
        return functionKey(Qt::ShiftModifier, "Shift+F", code - 50);
    }
    if (code >= 63 && code <= 74) {
        return functionKey(Qt::ShiftModifier | Qt::ControlModifier, "Shift+Ctrl+F", code - 62);
    }
    switch (code) {
    case 75:
        return {Qt::ControlModifier, Qt::Key_Insert, QStringLiteral("Ctrl+Ins")};
    case 76:
        return {Qt::ShiftModifier, Qt::Key_Insert, QStringLiteral("Shift+Ins")};
    case 77:
        return {Qt::NoModifier, Qt::Key_Delete, QStringLiteral("Del")};
    case 78:
        return {Qt::ShiftModifier, Qt::Key_Delete, QStringLiteral("Shift+Del")};
    case 79:
        return {Qt::AltModifier, Qt::Key_Backspace, QStringLiteral("Alt+Bksp")};
    default:
        return {};
    }
}

} // namespace

QString shortcutText(int code) {
    return decode(code).text;
}

QKeySequence shortcutKeys(int code) {
    const Shortcut shortcut = decode(code);
    if (shortcut.key == Qt::Key_unknown) {
        return {};
    }
    return QKeySequence(QKeyCombination(shortcut.modifiers, shortcut.key));
}

} // namespace platform::forms
