#pragma once
// Narrows the article list to the rows whose given column holds a word.
#include <QString>
#include <cstdint>

namespace platform::controls {
class ListViewModel;
}

namespace quillet {

class NewsHistory;

// Column 1 to 7. Returns the number of matching rows and rebuilds the list from
// them (title, feed name, the time of the search, link); 0 leaves the list as it
// was; -1 on failure.
std::int16_t SearchArticles(platform::controls::ListViewModel& list, const QString& word,
                            int column, const NewsHistory* readTitles);

} // namespace quillet
