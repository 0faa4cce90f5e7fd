#pragma once
// The common font dialog: a title and a starting font name and size; the
// chosen ones when the user confirms.
#include <QString>

class QWidget;

namespace platform::dialogs {

struct FontChoice {
    QString name;
    float size = 0; // points
};

// False when the user cancelled; the choice is then left as it was.
bool ShowFontDialog(QWidget* parent, const QString& title, FontChoice& choice);

} // namespace platform::dialogs
