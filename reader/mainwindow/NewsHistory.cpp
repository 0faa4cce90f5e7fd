#include "reader/mainwindow/NewsHistory.h"

#include "platform/runtime/RuntimeError.h"
#include "platform/text/LineFile.h"

namespace quillet {

bool NewsHistory::addIfNew(const QString& title) {
    if (title.isEmpty() || exact_.contains(title))
        return false;
    entries_.append(title);
    exact_.insert(title);
    return true;
}

QString readingKey(const QString& title, const QString& link) {
    const QString trimmed = title.trimmed();
    return trimmed.isEmpty() ? link.trimmed() : trimmed;
}

bool LoadNewsHistory(NewsHistory& history, const QString& path) {
    if (!platform::text::fileExists(path))
        return true;
    try {
        const QStringList lines = platform::text::readLines(path);
        for (const QString& line : lines)
            history.addIfNew(line);
        return true;
    } catch (const platform::RuntimeError&) {
        return false;
    }
}

void SaveNewsHistory(const NewsHistory& history, const QString& path) {
    if (history.isEmpty())
        return;
    platform::text::writeLinesAtomic(path, history.entries());
}

} // namespace quillet
