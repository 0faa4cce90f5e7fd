#include "platform/dialogs/ChooseColor.h"

#include "platform/win/Window.h"

#include <QColorDialog>
#include <algorithm>

namespace platform::dialogs {

namespace {

QColor colorOf(COLORREF color) {
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>((color >> 16) & 0xFF));
}

COLORREF colorRefOf(const QColor& color) {
    return win::RGB(color.red(), color.green(), color.blue());
}

} // namespace

BOOL ChooseColorA(CHOOSECOLORA* request) {
    if (request == nullptr || request->lStructSize != CHOOSECOLOR_SIZE ||
        request->lpCustColors == nullptr)
        return win::FALSE;
    const int customCount = std::min(16, QColorDialog::customCount());
    // The dialog keeps its custom colours for the whole process; each request
    // brings its own, so they are set every time and read back after.
    for (int i = 0; i < customCount; ++i)
        QColorDialog::setCustomColor(i, colorOf(request->lpCustColors[i]));

    QColorDialog dialog(win::widgetOfWindow(request->hwndOwner));
    dialog.setWindowTitle(QStringLiteral("色の設定"));
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    dialog.setCurrentColor((request->Flags & CC_RGBINIT) != 0 ? colorOf(request->rgbResult)
                                                              : QColor(Qt::black));
    const bool confirmed = dialog.exec() == QDialog::Accepted;

    for (int i = 0; i < customCount; ++i)
        request->lpCustColors[i] = colorRefOf(QColorDialog::customColor(i));
    if (!confirmed)
        return win::FALSE;
    request->rgbResult = colorRefOf(dialog.selectedColor());
    return win::TRUE;
}

} // namespace platform::dialogs
