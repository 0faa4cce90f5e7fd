#include "reader/app/ProgramPaths.h"

namespace quillet {

QString AddPathSeparator(const QString& folder) {
    if (folder.endsWith(QLatin1Char('/')))
        return folder;
    return folder + QLatin1Char('/');
}

bool isStorableFileName(const QString& name) {
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || QStringLiteral("\\/:*?\"<>|").contains(c))
            return false;
    }
    return true;
}

QString programFile(const QString& programFolder, const char* relative) {
    return AddPathSeparator(programFolder) + QString::fromLatin1(relative);
}

} // namespace quillet
