#include "platform/dialogs/ChooseFont.h"

#include "platform/dialogs/AnsiBuffers.h"
#include "platform/gdi/Fonts.h"
#include "platform/text/Codepage.h"
#include "platform/win/Window.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QGroupBox>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace platform::dialogs {

namespace {

constexpr double kPixelsPerInch = 96.0;

QString nearestStyle(const QString& family, int weight, bool italic) {
    QString nearest;
    int distance = std::numeric_limits<int>::max();
    for (const QString& style : QFontDatabase::styles(family)) {
        const int d = std::abs(QFontDatabase::weight(family, style) - weight) +
                      (QFontDatabase::italic(family, style) != italic ? 1000 : 0);
        if (d < distance) {
            distance = d;
            nearest = style;
        }
    }
    return nearest;
}

bool hasSlantedStyle(const QString& family) {
    const QStringList styles = QFontDatabase::styles(family);
    return std::any_of(styles.begin(), styles.end(),
                       [&](const QString& style) { return QFontDatabase::italic(family, style); });
}

// The starting font: the face mapped to its installed family and the height
// turned into points at 96 pixels per inch.
QFont startingFont(const LOGFONTA& logFont, int pointTenths) {
    const QFont mapped = gdi::fontFromLogFont(logFont, nullptr);
    QFont font;
    font.setFamily(mapped.families().value(0));
    double points = 0;
    if (logFont.lfHeight != 0)
        points = std::abs(logFont.lfHeight) * 72.0 / kPixelsPerInch;
    else if (pointTenths > 0)
        points = pointTenths / 10.0;
    if (points > 0)
        font.setPointSizeF(points);
    font.setWeight(mapped.weight());
    font.setItalic(mapped.italic());
    // The dialog offers only the styles a family has and falls back to its
    // first one for a style it lacks; the nearest one keeps at least the weight.
    const QString style = nearestStyle(font.family(), font.weight(), font.italic());
    if (!style.isEmpty())
        font.setStyleName(style);
    font.setUnderline(mapped.underline());
    font.setStrikeOut(mapped.strikeOut());
    return font;
}

void writeFace(LOGFONTA& logFont, const QString& face) {
    std::memset(logFont.lfFaceName, 0, sizeof logFont.lfFaceName);
    writeAnsi(logFont.lfFaceName, sizeof logFont.lfFaceName, text::encodeCp932(face));
}

// Without effects the desktop's dialog has no underline or strike-out boxes;
// Qt's dialog keeps them in a group of their own.
void hideEffects(QFontDialog& dialog) {
    for (QCheckBox* box : dialog.findChildren<QCheckBox*>()) {
        if (auto* group = qobject_cast<QGroupBox*>(box->parentWidget()))
            group->hide();
    }
}

} // namespace

BOOL ChooseFontA(CHOOSEFONTA* request) {
    if (request == nullptr || request->lStructSize != CHOOSEFONT_SIZE ||
        request->lpLogFont == nullptr)
        return win::FALSE;
    const DWORD flags = request->Flags;
    const bool fromLogFont = (flags & CF_INITTOLOGFONTSTRUCT) != 0;
    const bool effects = (flags & CF_EFFECTS) != 0;
    const LOGFONTA start = fromLogFont ? *request->lpLogFont : LOGFONTA{};
    const QFont startFont = startingFont(start, fromLogFont ? request->iPointSize : 0);

    QFontDialog dialog(win::widgetOfWindow(request->hwndOwner));
    dialog.setWindowTitle(QStringLiteral("フォント"));
    QFontDialog::FontDialogOptions options = QFontDialog::DontUseNativeDialog;
    if ((flags & CF_FIXEDPITCHONLY) != 0)
        options |= QFontDialog::MonospacedFonts;
    if ((flags & (CF_SCALABLEONLY | CF_TTONLY)) != 0)
        options |= QFontDialog::ScalableFonts;
    dialog.setOptions(options);
    if (!effects)
        hideEffects(dialog);
    dialog.setCurrentFont(startFont);
    if (dialog.exec() != QDialog::Accepted)
        return win::FALSE;
    const QFont chosen = dialog.selectedFont();

    double points = chosen.pointSizeF() > 0 ? chosen.pointSizeF() : startFont.pointSizeF();
    if ((flags & CF_LIMITSIZE) != 0 && request->nSizeMax >= request->nSizeMin &&
        request->nSizeMin > 0)
        points = std::clamp<double>(points, request->nSizeMin, request->nSizeMax);

    LOGFONTA result = start;
    result.lfHeight = -static_cast<gdi::LONG>(std::lround(points * kPixelsPerInch / 72.0));
    result.lfWidth = 0;
    result.lfWeight = std::clamp<gdi::LONG>(chosen.weight(), 100, 900);
    // A family without slanted styles leaves the person no choice of slant, so
    // the slant stays as it was given (the drawing layer slants any face).
    if (hasSlantedStyle(chosen.family()))
        result.lfItalic = chosen.italic() ? 1 : 0;
    if (effects) {
        result.lfUnderline = chosen.underline() ? 1 : 0;
        result.lfStrikeOut = chosen.strikeOut() ? 1 : 0;
    }
    if (!fromLogFont)
        result.lfCharSet = gdi::DEFAULT_CHARSET;
    // Confirming the family the given face was shown as keeps the face's own
    // name (already in the result), so opening the dialog and pressing OK
    // changes nothing.
    if (!fromLogFont || chosen.family() != startFont.family()) {
        writeFace(result, chosen.family());
        result.lfPitchAndFamily =
            QFontInfo(chosen).fixedPitch() ? gdi::FIXED_PITCH : gdi::VARIABLE_PITCH;
    }

    *request->lpLogFont = result;
    request->iPointSize = static_cast<int>(std::lround(points * 10.0));
    WORD type = SCREEN_FONTTYPE;
    type |= result.lfWeight >= gdi::FW_BOLD ? BOLD_FONTTYPE : REGULAR_FONTTYPE;
    if (result.lfItalic != 0)
        type |= ITALIC_FONTTYPE;
    request->nFontType = type;
    return win::TRUE;
}

} // namespace platform::dialogs
