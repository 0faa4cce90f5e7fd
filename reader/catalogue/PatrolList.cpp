#include "reader/catalogue/PatrolList.h"

#include "platform/controls/TreeViewModel.h"
#include "platform/text/LineFile.h"
#include "reader/catalogue/FeedKinds.h"
#include "reader/catalogue/FeedList.h"

namespace quillet {

namespace {

bool isPatrolled(const QString& kind) {
    return kind == image::Rss || kind == image::Rdf || kind == image::Document;
}

} // namespace

void SavePatrolList(const platform::controls::TreeViewModel& tree, const QString& path) {
    QStringList lines;
    for (int node = 1; node <= tree.count(); ++node) {
        if (tree.checked(node) && isPatrolled(tree.image(node)))
            lines << feedRecordLine(tree.text(node), tree.key(node), QStringLiteral("1"));
    }
    if (!lines.isEmpty())
        platform::text::writeLinesAtomic(path, lines);
    else if (platform::text::fileExists(path))
        platform::text::deleteFile(path);
}

QString patrolFeedKind(const platform::controls::TreeViewModel& catalogue, const QString& url) {
    const int node = catalogue.indexOfKey(url);
    const QString kind = node != 0 ? catalogue.image(node) : QString();
    return isPatrolled(kind) ? kind : image::Rss;
}

} // namespace quillet
