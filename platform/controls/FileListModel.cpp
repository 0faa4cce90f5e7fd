#include "platform/controls/SimpleModels.h"

#include "platform/runtime/RuntimeError.h"
#include <QDir>
#include <algorithm>

namespace platform::controls {

namespace {

// "*.*" traditionally means every file, also those without an extension, which
// a plain wildcard match of "*.*" would miss.
QStringList nameFiltersOf(const QString& pattern) {
    QStringList filters;
    for (const QString& part : pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString filter = part.trimmed();
        if (filter.isEmpty())
            continue;
        filters.append(filter == QLatin1String("*.*") ? QStringLiteral("*") : filter);
    }
    if (filters.isEmpty())
        filters.append(QStringLiteral("*"));
    return filters;
}

} // namespace

FileListModel::FileListModel(QObject* parent) : QObject(parent) {}

void FileListModel::setPath(const QString& folder) {
    path_ = folder;
    refresh();
}

void FileListModel::setPattern(const QString& pattern) {
    pattern_ = pattern;
    refresh();
}

void FileListModel::refresh() {
    names_.clear();
    // No folder set means nothing to list, not the current folder.
    if (path_.isEmpty())
        return;
    const QDir folder(path_);
    if (!folder.exists())
        return;
    // Without QDir::CaseSensitive the name filters ignore case.
    names_ = folder.entryList(nameFiltersOf(pattern_), QDir::Files, QDir::Unsorted);
    std::sort(names_.begin(), names_.end(), [](const QString& a, const QString& b) {
        const int folded = a.compare(b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a < b;
    });
}

QString FileListModel::name(int index) const {
    if (index < 0 || index >= count())
        raiseError(err::SubscriptOutOfRange);
    return names_[index];
}

} // namespace platform::controls
