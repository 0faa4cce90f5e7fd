#include "platform/dialogs/AnsiBuffers.h"
#include "platform/dialogs/OpenFileName.h"
#include "platform/text/Codepage.h"
#include "platform/win/Window.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <algorithm>
#include <cstring>

namespace platform::dialogs {

namespace {

struct NamedFilter {
    QString description;
    QString patterns; // "*.BMP;*.DIB"
};

// Reads "description" NUL "patterns" NUL ... up to the empty text that ends
// the list. A description without its patterns is dropped.
QList<NamedFilter> readFilters(const char* list) {
    QList<NamedFilter> filters;
    if (list == nullptr)
        return filters;
    for (;;) {
        const std::size_t descriptionLength = std::strlen(list);
        if (descriptionLength == 0)
            break;
        const char* patterns = list + descriptionLength + 1;
        const std::size_t patternsLength = std::strlen(patterns);
        if (patternsLength == 0)
            break;
        filters.append({readAnsi(list), readAnsi(patterns)});
        list = patterns + patternsLength + 1;
    }
    return filters;
}

// "*.*" matches names without a dot too on the desktop the requests come
// from; the dialog here matches without regard to case, as that desktop does.
QString matchPattern(const QString& pattern) {
    return pattern == QStringLiteral("*.*") ? QStringLiteral("*") : pattern;
}

// The dialog shows only the description (the details are hidden), as the
// desktop's dialog does; the patterns in parentheses are what it matches.
QString qtFilter(const NamedFilter& filter) {
    QStringList patterns;
    for (const QString& pattern : filter.patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        patterns << matchPattern(pattern.trimmed());
    return filter.description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
           QLatin1Char(')');
}

// Refuses, with the dialog still open, a choice the request could not take:
// a folder that does not exist when the path must exist, or a name that code
// page 932 cannot write (the caller would get another file's name).
class RequestFileDialog : public QFileDialog {
public:
    RequestFileDialog(QWidget* parent, const QString& title, DWORD flags)
        : QFileDialog(parent, title), flags_(flags) {}

    void accept() override {
        const QStringList files = selectedFiles();
        if (!files.isEmpty()) {
            const QString& path = files.first();
            bool representable = true;
            text::encodeCp932(path, &representable);
            if (!representable) {
                QMessageBox::warning(this, windowTitle(),
                                     QStringLiteral("%1\nこのファイル名は使用できません。")
                                         .arg(QFileInfo(path).fileName()));
                return;
            }
            if ((flags_ & OFN_PATHMUSTEXIST) != 0 && !QFileInfo(path).dir().exists()) {
                QMessageBox::warning(
                    this, windowTitle(),
                    QStringLiteral("%1\nパスが存在しません。\n正しいパスが入力されたか確認し"
                                   "てください。")
                        .arg(QFileInfo(path).path()));
                return;
            }
        }
        QFileDialog::accept();
    }

private:
    DWORD flags_;
};

WORD offsetWord(std::size_t offset) {
    return static_cast<WORD>(std::min<std::size_t>(offset, 0xFFFF));
}

// Fills the request's out fields from the chosen path.
BOOL writeChoice(OPENFILENAMEA& request, const QString& path, DWORD filterIndex) {
    bool representable = true;
    const QByteArray bytes = text::encodeCp932(path, &representable);
    if (!representable)
        return win::FALSE;
    // A path that does not fit is refused rather than cut: a cut path names
    // another file, and the caller would open or overwrite that one.
    if (static_cast<std::size_t>(bytes.size()) + 1 > request.nMaxFile)
        return win::FALSE;
    const QFileInfo info(path);
    const QString name = info.fileName();
    const std::size_t kept = writeAnsi(request.lpstrFile, request.nMaxFile, bytes);
    const auto nameStart = static_cast<std::size_t>(bytes.size() - text::encodeCp932(name).size());
    request.nFileOffset = offsetWord(std::min(nameStart, kept));
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        request.nFileExtension = offsetWord(kept);
    else if (dot == name.size() - 1)
        request.nFileExtension = 0;
    else
        request.nFileExtension = offsetWord(std::min(
            nameStart + static_cast<std::size_t>(text::encodeCp932(name.left(dot + 1)).size()),
            kept));
    writeAnsi(request.lpstrFileTitle, request.nMaxFileTitle, text::encodeCp932(name));
    if (filterIndex > 0)
        request.nFilterIndex = filterIndex;
    request.Flags &= ~(OFN_READONLY | OFN_EXTENSIONDIFFERENT);
    const QString defaultExtension = readAnsi(request.lpstrDefExt);
    if (!defaultExtension.isEmpty() &&
        info.suffix().compare(defaultExtension, Qt::CaseInsensitive) != 0)
        request.Flags |= OFN_EXTENSIONDIFFERENT;
    if ((request.Flags & OFN_NOCHANGEDIR) == 0)
        QDir::setCurrent(info.path());
    return win::TRUE;
}

// The 1-based number of the filter the dialog names by its description (it
// hides the patterns), or 0 when none matches.
DWORD filterNumber(const QList<NamedFilter>& filters, const QString& shown) {
    for (qsizetype i = 0; i < filters.size(); ++i) {
        if (filters[i].description.trimmed() == shown.trimmed() || qtFilter(filters[i]) == shown)
            return static_cast<DWORD>(i + 1);
    }
    return 0;
}

BOOL runFileDialog(OPENFILENAMEA* request, bool save) {
    if (request == nullptr || request->lStructSize != OPENFILENAME_SIZE_VERSION_400A ||
        request->lpstrFile == nullptr || request->nMaxFile == 0)
        return win::FALSE;
    const DWORD flags = request->Flags;
    QString title = readAnsi(request->lpstrTitle);
    if (title.isEmpty())
        title = save ? QStringLiteral("名前を付けて保存") : QStringLiteral("ファイルを開く");

    RequestFileDialog dialog(win::widgetOfWindow(request->hwndOwner), title, flags);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(!save && (flags & OFN_FILEMUSTEXIST) != 0 ? QFileDialog::ExistingFile
                                                                 : QFileDialog::AnyFile);
    if (save && (flags & OFN_OVERWRITEPROMPT) == 0)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if ((flags & OFN_NODEREFERENCELINKS) != 0)
        dialog.setOption(QFileDialog::DontResolveSymlinks);
    if ((flags & OFN_FORCESHOWHIDDEN) != 0)
        dialog.setFilter(dialog.filter() | QDir::Hidden);

    const QList<NamedFilter> filters = readFilters(request->lpstrFilter);
    QStringList qtFilters;
    for (const NamedFilter& filter : filters)
        qtFilters << qtFilter(filter);
    if (!qtFilters.isEmpty()) {
        dialog.setNameFilters(qtFilters);
        const DWORD index = request->nFilterIndex;
        dialog.selectNameFilter(
            qtFilters[index >= 1 && index <= static_cast<DWORD>(qtFilters.size())
                          ? static_cast<qsizetype>(index - 1)
                          : 0]);
    }
    const QString defaultExtension = readAnsi(request->lpstrDefExt);
    if (!defaultExtension.isEmpty())
        dialog.setDefaultSuffix(defaultExtension);

    const QString initialDir = readAnsi(request->lpstrInitialDir);
    dialog.setDirectory(initialDir.isEmpty() ? QDir::currentPath() : initialDir);
    const QString initialFile = readAnsi(request->lpstrFile, request->nMaxFile);
    if (!initialFile.isEmpty())
        dialog.selectFile(initialFile);

    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return win::FALSE;
    return writeChoice(*request, dialog.selectedFiles().first(),
                       filterNumber(filters, dialog.selectedNameFilter()));
}

bool isSeparator(QChar c) {
    return c == QLatin1Char('/') || c == QLatin1Char('\\');
}

} // namespace

BOOL GetOpenFileNameA(OPENFILENAMEA* request) {
    return runFileDialog(request, false);
}

BOOL GetSaveFileNameA(OPENFILENAMEA* request) {
    return runFileDialog(request, true);
}

short GetFileTitleA(const char* path, char* buffer, WORD size) {
    // Decoded first, so that a trail byte 0x5C of a double-byte character is
    // never taken for a separator.
    const QString text = readAnsi(path);
    if (text.isEmpty() || isSeparator(text.back()))
        return -1;
    qsizetype start = text.size();
    while (start > 0 && !isSeparator(text[start - 1]))
        --start;
    const QString name = text.mid(start);
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || QStringLiteral("*?\"<>|").contains(c))
            return -1;
    }
    const QByteArray bytes = text::encodeCp932(name);
    const qsizetype needed = bytes.size() + 1;
    if (buffer == nullptr || needed > size)
        return static_cast<short>(std::min<qsizetype>(needed, 0x7FFF));
    std::memcpy(buffer, bytes.constData(), static_cast<std::size_t>(needed));
    return 0;
}

} // namespace platform::dialogs
