#pragma once
// The patrol list: the feeds the timed news patrol fetches, chosen by checking
// them in a copy of the catalogue. It is a feed list file of feed records only.
#include <QString>

namespace platform::controls {
class TreeViewModel;
}

namespace quillet {

// Replaces the file with one record per checked feed of kind "XML", "XML2" or
// "DOC" in node order (display name, URL, "CHILD_NODE", "1"); folders and web
// sites are left out. With nothing to list the file is deleted. The file is
// built in full and renamed into place, so a failure leaves the old list whole.
// Raises on failure.
void SavePatrolList(const platform::controls::TreeViewModel& tree, const QString& path);

// The kind a patrolled feed is read with. The list writes every feed as kind
// "1", so the catalogue's node of that address decides ("XML2" feeds are read
// by their own parser); a feed the catalogue no longer holds keeps "XML".
QString patrolFeedKind(const platform::controls::TreeViewModel& catalogue, const QString& url);

} // namespace quillet
