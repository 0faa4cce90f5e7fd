#pragma once
// A feed's kind is the image key of its tree node, and a number in list files.
#include <QString>

namespace quillet {

namespace image {
inline const QString Closed = QStringLiteral("CLOSE");
inline const QString Open = QStringLiteral("OPEN");
inline const QString WebSite = QStringLiteral("IE");
inline const QString Rss = QStringLiteral("XML");
inline const QString Rdf = QStringLiteral("XML2");
inline const QString Document = QStringLiteral("DOC");
} // namespace image

// "IE" 0, "XML" 1, "XML2" 2, "DOC" 3; an empty text for any other number.
QString kindCodeOfNumber(int number);
// The number of a kind code; -1 for a text that is no kind code.
int kindNumberOfCode(const QString& code);
// Folder nodes carry the image key "CLOSE" or "OPEN"; every other node is a feed.
bool isFolderImage(const QString& imageKey);

} // namespace quillet
