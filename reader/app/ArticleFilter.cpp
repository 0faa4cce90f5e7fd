#include "reader/app/ArticleFilter.h"

#include "platform/profile/PrivateProfile.h"

namespace quillet {

namespace {

const QString Section = QStringLiteral("Filter");
const QChar WordSeparator(0xFF1B); // "；"

QString useKey(int list) {
    return QStringLiteral("Filter%1Use").arg(list + 1);
}
QString wordsKey(int list) {
    return QStringLiteral("Filter%1Words").arg(list + 1);
}

QString read(const QString& path, const QString& key) {
    return platform::profile::getPrivateProfileString(Section, key, QString(), 1024, path);
}

std::int16_t flag(const QString& text) {
    return text.trimmed() == QLatin1String("1") ? 1 : 0;
}

} // namespace

bool ArticleFilter::hides(const QString& title, const QString& description) const {
    if (!isOn())
        return false;
    for (int list = 0; list < ListCount; ++list) {
        if (use[static_cast<std::size_t>(list)] != 1)
            continue;
        const QStringList listed =
            words[static_cast<std::size_t>(list)].split(WordSeparator, Qt::SkipEmptyParts);
        for (const QString& entry : listed) {
            const QString word = entry.trimmed();
            if (!word.isEmpty() && (title.contains(word) || description.contains(word)))
                return true;
        }
    }
    return false;
}

void LoadArticleFilter(const QString& settingsPath, ArticleFilter& filter) {
    filter.Filtering = flag(read(settingsPath, QStringLiteral("Filtering")));
    for (int list = 0; list < ArticleFilter::ListCount; ++list) {
        const auto at = static_cast<std::size_t>(list);
        filter.use[at] = flag(read(settingsPath, useKey(list)));
        filter.words[at] = read(settingsPath, wordsKey(list));
    }
}

bool SaveArticleFilter(const QString& settingsPath, const ArticleFilter& filter) {
    // One replacement of the file: a crash leaves the old filter or the new one.
    std::vector<platform::profile::ProfileEntry> entries{
        {Section, QStringLiteral("Filtering"), QString::number(filter.Filtering)}};
    for (int list = 0; list < ArticleFilter::ListCount; ++list) {
        const auto at = static_cast<std::size_t>(list);
        entries.push_back({Section, useKey(list), QString::number(filter.use[at])});
        entries.push_back({Section, wordsKey(list), filter.words[at]});
    }
    return platform::profile::writePrivateProfileStrings(entries, settingsPath);
}

} // namespace quillet
