#pragma once
// The feed list file (".brd"): records of four fields, one per line, each field in
// double quotes. A record's position gives its parent: a sub-folder belongs to
// the root folder read last, a feed to the folder read last.
#include <QString>
#include <QStringList>
#include <cstdint>

namespace platform::controls {
class TreeViewModel;
}

namespace quillet {

// Reads the file's records into the tree, adding to what it holds. Returns 0 when
// the whole file was read, -1 when reading stopped on an error (the nodes read
// before the error stay).
std::int16_t LoadFeedList(platform::controls::TreeViewModel& tree, const QString& path);
// Replaces the file with every node of the tree, in tree order so that a load
// gives the same tree back. Raises on failure; the old file then stays whole.
void SaveFeedList(const platform::controls::TreeViewModel& tree, const QString& path);
// Adds a user folder keyed from the tree's tag counter: a root folder when the
// parent key is empty, else a sub-folder. A counter whose key is in use moves on
// to the first free one. Returns 0, or -1 leaving the tag as it was.
int AddFolderNode(platform::controls::TreeViewModel& tree, const QString& parentKey,
                  const QString& folderName);

// One feed's record: its display name, its URL, "CHILD_NODE" and the kind field,
// each in double quotes, with the quotes the format cannot hold replaced.
QString feedRecordLine(const QString& name, const QString& url, const QString& kindField);

// The lines SaveFeedList writes, for callers that need the records themselves.
QStringList feedListRecords(const platform::controls::TreeViewModel& tree);

} // namespace quillet
