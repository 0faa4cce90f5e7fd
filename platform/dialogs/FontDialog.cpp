#include "platform/dialogs/FontDialog.h"

#include <QFontDialog>

namespace platform::dialogs {

bool ShowFontDialog(QWidget* parent, const QString& title, FontChoice& choice) {
    QFont start;
    if (!choice.name.isEmpty())
        start.setFamily(choice.name);
    if (choice.size > 0)
        start.setPointSizeF(choice.size);
    bool confirmed = false;
    const QFont chosen = QFontDialog::getFont(&confirmed, start, parent, title);
    if (!confirmed)
        return false;
    choice.name = chosen.family();
    choice.size = static_cast<float>(chosen.pointSizeF());
    return true;
}

} // namespace platform::dialogs
