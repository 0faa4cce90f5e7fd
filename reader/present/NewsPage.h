#pragma once
// The article page: the skin's header, one body block per article and the
// footer, with their placeholders filled from the article list, written to
// "data/temp/gateway.html" for the browser.
#include <QString>
#include <cstdint>

namespace platform::controls {
class ListViewModel;
}

namespace quillet {

// 0 when the page was written or the list is empty (the page is then left as it
// was), -1 when a template cannot be read or the page cannot be written.
std::int32_t CreateNewsPage(const QString& headerPath, const QString& bodyPath,
                            const QString& footerPath, const QString& outputPath,
                            const platform::controls::ListViewModel& list,
                            const QString& currentFeedName);

} // namespace quillet
