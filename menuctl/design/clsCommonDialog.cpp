#include "menuctl/design/clsCommonDialog.h"

#include "menuctl/engine/LogFont.h"
#include "platform/dialogs/AnsiBuffers.h"
#include "platform/dialogs/ChooseColor.h"
#include "platform/dialogs/ChooseFont.h"
#include "platform/dialogs/OpenFileName.h"
#include "platform/gdi/SystemMetrics.h"
#include "platform/text/Codepage.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace zephalt {

namespace dlg = platform::dialogs;
using platform::win::DWORD;

namespace {

// Black, navy, green, teal, maroon, purple, olive, silver, grey, blue, lime,
// aqua, red, fuchsia, yellow, white, as 0x00BBGGRR.
constexpr std::array<platform::win::COLORREF, 16> kConsoleColors = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

// A file name buffer of more than this is refused as the dialog would refuse
// it, instead of reserving whatever a stray value asks for.
constexpr long kLargestFileBuffer = 32768;

// A buffer of `size` bytes that starts with `text`, cut to fit.
std::vector<char> startedBuffer(const QString& text, std::size_t size) {
    std::vector<char> buffer(size, '\0');
    dlg::writeAnsi(buffer.data(), buffer.size(), platform::text::encodeCp932(text));
    return buffer;
}

// Null for an empty text, as the dialogs then use their defaults.
const char* orNull(const QByteArray& text) {
    return text.isEmpty() ? nullptr : text.constData();
}

} // namespace

clsCommonDialog::clsCommonDialog() : CustomColors(kConsoleColors) {}

void clsCommonDialog::ShowOpen() {
    Cancel = true;
    if (MaxFileSize <= 0 || MaxFileSize > kLargestFileBuffer)
        return;
    const auto size = static_cast<std::size_t>(MaxFileSize);
    // "|" separates the pairs here; the request separates them with NUL and
    // ends the list with one more.
    QByteArray filter = platform::text::encodeCp932(Filter);
    filter.replace('|', '\0');
    filter.append('\0');
    const QByteArray initDir = platform::text::encodeCp932(InitDir);
    const QByteArray title = platform::text::encodeCp932(DialogTitle);
    const QByteArray defaultExt = platform::text::encodeCp932(DefaultExt);
    std::vector<char> file = startedBuffer(FileName, size);
    std::vector<char> fileTitle = startedBuffer(FileTitle, size);

    dlg::OPENFILENAMEA request;
    request.hwndOwner = hWnd;
    request.lpstrFilter = Filter.isEmpty() ? nullptr : filter.constData();
    request.nFilterIndex = static_cast<DWORD>(std::max(0L, FilterIndex));
    request.lpstrFile = file.data();
    request.nMaxFile = static_cast<DWORD>(size);
    request.lpstrFileTitle = fileTitle.data();
    request.nMaxFileTitle = static_cast<DWORD>(size);
    request.lpstrInitialDir = orNull(initDir);
    request.lpstrTitle = orNull(title);
    request.Flags = static_cast<DWORD>(Flags);
    request.lpstrDefExt = orNull(defaultExt);
    if (dlg::GetOpenFileNameA(&request) == platform::win::FALSE)
        return;
    Cancel = false;
    FileName = dlg::readAnsi(file.data(), file.size());
    FileTitle = dlg::readAnsi(fileTitle.data(), fileTitle.size());
}

void clsCommonDialog::ShowColor() {
    dlg::CHOOSECOLORA request;
    request.hwndOwner = hWnd;
    platform::win::COLORREF start = 0;
    platform::gdi::OleTranslateColor(Color, 0, &start);
    request.rgbResult = start;
    request.lpCustColors = CustomColors.data();
    // The dialog starts from Color, which it does only with this flag.
    request.Flags = static_cast<DWORD>(Flags) | dlg::CC_RGBINIT;
    Cancel = dlg::ChooseColorA(&request) == platform::win::FALSE;
    if (!Cancel)
        Color = request.rgbResult;
}

void clsCommonDialog::ShowFont() {
    platform::gdi::LOGFONTA logFont = MakeLogFont(Font);
    dlg::CHOOSEFONTA request;
    request.hwndOwner = hWnd;
    request.lpLogFont = &logFont;
    request.iPointSize = static_cast<int>(std::lround(Font.size * 10.0));
    request.Flags = static_cast<DWORD>(Flags) | dlg::CF_INITTOLOGFONTSTRUCT;
    request.nSizeMin = static_cast<int>(Min);
    request.nSizeMax = static_cast<int>(Max);
    Cancel = dlg::ChooseFontA(&request) == platform::win::FALSE;
    if (Cancel)
        return;
    platform::forms::FontObject chosen = fontFromLogFont(logFont, 96);
    if (request.iPointSize > 0)
        chosen.size = request.iPointSize / 10.0;
    Font = chosen;
}

} // namespace zephalt
