#include "reader/app/ProgramPaths.h"

namespace quillet {

QString AddPathSeparator(const QString& folder) {
    if (folder.endsWith(QLatin1Char('/')))
        return folder;
    return folder + QLatin1Char('/');
}

QString programFile(const QString& programFolder, const char* relative) {
    return AddPathSeparator(programFolder) + QString::fromLatin1(relative);
}

} // namespace quillet
