#pragma once
// OPML, the outline files other readers import and export their feeds with.
// Export writes OPML 2.0 in UTF-8: each folder an outline, its feeds and
// sub-folders outlines inside it. Import reads OPML 1.0 and 2.0: outlines with
// an xmlUrl are feeds, others folders; folders deeper than the tree's two
// levels become a sub-folder named by their path ("親／子"), feeds outside any
// folder go to a folder named after the file's title.
#include <QString>
#include <QStringList>
#include <vector>

namespace platform::controls {
class TreeViewModel;
}

namespace quillet {

struct OpmlFolder {
    QString folder;
    QString subFolder; // empty for a root folder
};

// A folder as it is first met, or a feed, in document order.
struct OpmlEntry {
    OpmlFolder place;
    QString name;    // empty for a folder
    QString address; // empty for a folder
    QString kind;    // "XML", "XML2", "DOC" or "IE"
    bool isFeed() const { return !address.isEmpty(); }
};

struct OpmlOutline {
    std::vector<OpmlEntry> entries;
};

// Reads the whole file; false with the reason when it cannot be read or is no
// OPML document.
bool ReadOpml(const QString& path, OpmlOutline& outline, QString* reason);

// The catalogue as an OPML 2.0 document in UTF-8.
QByteArray OpmlDocument(const platform::controls::TreeViewModel& tree);
// Writes it, replacing the file atomically; raises on failure.
void ExportOpml(const platform::controls::TreeViewModel& tree, const QString& path);

struct OpmlImportCount {
    int folders = 0;
    int feeds = 0;
    int skipped = 0; // feeds whose address the catalogue held already
};
// Adds the outline's folders (a folder of the same name at the same place is
// used again) and its feeds not yet in the tree; raises when a folder cannot
// be added.
OpmlImportCount ImportOpml(platform::controls::TreeViewModel& tree, const OpmlOutline& outline);

} // namespace quillet
