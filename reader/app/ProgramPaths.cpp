#include "reader/app/ProgramPaths.h"

#include <string>

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

QString logFileStem(const QString& displayName) {
    static constexpr char16_t narrow[] = u"\\/:*?\"<>|";
    static constexpr char16_t wide[] = u"＼／：＊？＂＜＞｜";
    QString stem;
    stem.reserve(displayName.size());
    for (QChar c : displayName) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            continue;
        const char16_t* found = std::char_traits<char16_t>::find(narrow, 9, c.unicode());
        stem += found != nullptr ? QChar(wide[found - narrow]) : c;
    }
    return stem;
}

QString programFile(const QString& programFolder, const char* relative) {
    return AddPathSeparator(programFolder) + QString::fromLatin1(relative);
}

} // namespace quillet
