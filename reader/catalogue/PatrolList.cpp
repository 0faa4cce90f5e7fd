#include "reader/catalogue/PatrolList.h"

#include "platform/controls/TreeViewModel.h"
#include "platform/text/LineFile.h"
#include "reader/catalogue/FeedKinds.h"
#include "reader/catalogue/FeedList.h"

#include <QRegularExpression>

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

QList<PatrolFeed> ReadPatrolList(const QString& path) {
    QList<PatrolFeed> feeds;
    if (!platform::text::fileExists(path))
        return feeds;
    // Names and URLs hold no double quote (the list replaces them when writing),
    // so a record splits at its quoted commas.
    static const QRegularExpression record(QString::fromLatin1(
        R"re(^\s*"([^"]*)"\s*,\s*"([^"]*)"\s*,\s*"CHILD_NODE"\s*,\s*"?(\d*)"?\s*$)re"));
    for (const QString& line : platform::text::readLines(path)) {
        const QRegularExpressionMatch match = record.match(line);
        if (match.hasMatch() && !match.captured(2).isEmpty())
            feeds.append({match.captured(1), match.captured(2),
                          match.captured(3).isEmpty()
                              ? QString()
                              : kindCodeOfNumber(match.captured(3).toInt())});
    }
    return feeds;
}

} // namespace quillet
