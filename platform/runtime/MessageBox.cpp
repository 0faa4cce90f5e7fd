#include "platform/runtime/MessageBox.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>

#include <utility>
#include <vector>

namespace platform {

namespace {

QMessageBox::Icon qtIcon(MsgIcon icon) {
    switch (icon) {
    case MsgIcon::Critical:
        return QMessageBox::Critical;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// The buttons in the order they appear; the first is the default, as the
// runtime's message boxes have it.
std::vector<std::pair<QMessageBox::StandardButton, MsgResult>> buttonSet(MsgButtons buttons) {
    switch (buttons) {
    case MsgButtons::Ok:
        return {{QMessageBox::Ok, MsgResult::Ok}};
    case MsgButtons::OkCancel:
        return {{QMessageBox::Ok, MsgResult::Ok}, {QMessageBox::Cancel, MsgResult::Cancel}};
    case MsgButtons::YesNo:
        return {{QMessageBox::Yes, MsgResult::Yes}, {QMessageBox::No, MsgResult::No}};
    case MsgButtons::YesNoCancel:
        return {{QMessageBox::Yes, MsgResult::Yes},
                {QMessageBox::No, MsgResult::No},
                {QMessageBox::Cancel, MsgResult::Cancel}};
    case MsgButtons::RetryCancel:
        return {{QMessageBox::Retry, MsgResult::Retry}, {QMessageBox::Cancel, MsgResult::Cancel}};
    }
    return {{QMessageBox::Ok, MsgResult::Ok}};
}

// Set explicitly so the buttons read Japanese even when Qt's translation is
// not installed on the machine.
QString japaneseText(QMessageBox::StandardButton button) {
    switch (button) {
    case QMessageBox::Yes:
        return QStringLiteral("はい");
    case QMessageBox::No:
        return QStringLiteral("いいえ");
    case QMessageBox::Cancel:
        return QStringLiteral("キャンセル");
    case QMessageBox::Retry:
        return QStringLiteral("再試行");
    default:
        return QStringLiteral("OK");
    }
}

} // namespace

MsgResult QtMessagePresenter::show(const QString& text, MsgButtons buttons, MsgIcon icon,
                                   const QString& title) {
    QMessageBox box(parent_);
    box.setIcon(qtIcon(icon));
    box.setWindowTitle(title);
    box.setText(text);

    const auto set = buttonSet(buttons);
    QMessageBox::StandardButtons standard;
    for (const auto& entry : set) {
        standard |= entry.first;
    }
    box.setStandardButtons(standard);
    for (const auto& entry : set) {
        box.button(entry.first)->setText(japaneseText(entry.first));
    }
    box.setDefaultButton(set.front().first);

    box.exec();

    const QAbstractButton* clicked = box.clickedButton();
    for (const auto& entry : set) {
        if (clicked != nullptr && clicked == box.button(entry.first)) {
            return entry.second;
        }
    }
    // Closed without a button (Esc or the title bar): the answer that does
    // nothing, Cancel when offered, else No, else OK.
    for (const MsgResult fallback : {MsgResult::Cancel, MsgResult::No}) {
        for (const auto& entry : set) {
            if (entry.second == fallback) {
                return fallback;
            }
        }
    }
    return set.front().second;
}

} // namespace platform
