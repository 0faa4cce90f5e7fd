#pragma once
// The article filter of the settings dialog: while it is on, articles whose
// title or description holds a word of one of the lists in use are left out of
// the article list. Kept in the [Filter] section of the settings file.
#include <QString>
#include <array>
#include <cstdint>

namespace quillet {

struct ArticleFilter {
    static constexpr int ListCount = 3;

    std::int16_t Filtering = 0; // 1: on
    std::array<std::int16_t, ListCount> use{};
    std::array<QString, ListCount> words; // words separated by "；"

    bool isOn() const { return Filtering == 1; }
    // True when the filter is on and a word of a list in use occurs in the title
    // or the description (case-sensitive). Empty words match nothing.
    bool hides(const QString& title, const QString& description) const;
};

// Missing keys read as off and empty; values that are no numbers count as off.
void LoadArticleFilter(const QString& settingsPath, ArticleFilter& filter);
// Writes the [Filter] keys; false when the file cannot be written.
bool SaveArticleFilter(const QString& settingsPath, const ArticleFilter& filter);

} // namespace quillet
