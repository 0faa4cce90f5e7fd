#pragma once
// The entries of an Atom feed (1.0 and the older 0.3) as article rows: title
// as plain text whatever its type, the alternate link resolved against
// xml:base and the feed's address, the summary (else the content) as markup
// for the page, the updated (else published) date and the author's name.
#include <QString>

namespace platform::xml {
class XmlElement;
}

namespace quillet {

class ArticleRows;
struct Article;

// Adds one row per entry of the feed element, in document order.
void addAtomEntries(const platform::xml::XmlElement& feed, ArticleRows& rows,
                    const QString& documentAddress);

// One entry's fields; the feed's author stands in for an entry without one.
Article atomEntry(const platform::xml::XmlElement& entry, const QString& feedAuthor,
                  const QString& documentAddress);

} // namespace quillet
