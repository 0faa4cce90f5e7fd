#pragma once
// The file, colour and font dialogs as the property pages use them: settings
// kept as fields, the platform's request records filled from them, and the
// answer copied back when the user confirms.
#include "platform/forms/FontObject.h"
#include "platform/win/WinTypes.h"

#include <QString>
#include <array>

namespace zephalt {

class clsCommonDialog {
public:
    clsCommonDialog();

    long Flags = 0;
    long MaxFileSize = 250; // bytes of the file name buffer, NUL included
    QString Filter;         // "description|patterns|description|patterns"
    QString DefaultExt;
    QString InitDir;
    QString DialogTitle;
    QString FileTitle;
    QString FileName;
    long FilterIndex = 1;
    platform::win::HWND hWnd = 0;
    bool Cancel = false;
    platform::win::DWORD Color = 0; // an OLE colour
    platform::forms::FontObject Font;
    long Max = 0; // font size limits in points, used with the limit-size flag
    long Min = 0;
    // Starts as the sixteen classic console colours; the colour dialog reads
    // and updates them.
    std::array<platform::win::COLORREF, 16> CustomColors{};

    // Each sets Cancel to false when the user confirms and to true otherwise;
    // the fields the dialog answers change only on confirmation.
    void ShowOpen();
    void ShowColor();
    void ShowFont();
};

} // namespace zephalt
