#pragma once
// The patrol list: the feeds the timed news patrol fetches, chosen by checking
// them in a copy of the catalogue. It is a feed list file of feed records only.
#include <QList>
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

} // namespace quillet

namespace quillet {

struct PatrolFeed {
    QString name;
    QString url;
    QString kind; // the kind code of the record's kind number; empty when it names none
};

// The feeds of a patrol list file in file order; lines that are no feed record
// are skipped. A missing file lists nothing; an unreadable one raises.
QList<PatrolFeed> ReadPatrolList(const QString& path);

} // namespace quillet
