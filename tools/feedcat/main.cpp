// feedcat --kind XML|XML2 FILE: reads FILE as the reader does a feed of that
// kind (the parser of the kind, or the one that fits a document of another
// shape, Atom included) with no read titles and no news log, and prints one line
// per article row.
// feedcat --opml FILE: prints what importing the outline would add, one line per
// feed: folder, sub-folder, name, address and kind, separated by tabs.
// Exits 0 when the file was read, 1 when it could not be, 2 on a wrong command
// line.
#include "platform/controls/ListViewModel.h"
#include "reader/catalogue/Opml.h"
#include "reader/fetch/FeedDump.h"
#include "reader/fetch/FeedParser.h"
#include "reader/mainwindow/MainWindowModel.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

int usage() {
    std::fputs("usage: feedcat --kind XML|XML2 FILE\n       feedcat --opml FILE\n", stderr);
    return 2;
}

void printLine(const QString& line) {
    const QByteArray utf8 = line.toUtf8();
    std::fwrite(utf8.constData(), 1, static_cast<std::size_t>(utf8.size()), stdout);
    std::fputc('\n', stdout);
}

int printOpml(const QString& path) {
    quillet::OpmlOutline outline;
    QString reason;
    if (!quillet::ReadOpml(path, outline, &reason)) {
        std::fprintf(stderr, "feedcat: %s is no outline that can be read: %s\n", qPrintable(path),
                     qPrintable(reason));
        return 1;
    }
    for (const quillet::OpmlEntry& entry : outline.entries) {
        if (entry.isFeed())
            printLine(QStringList{entry.place.folder, entry.place.subFolder, entry.name,
                                  entry.address, entry.kind}
                          .join(QLatin1Char('\t')));
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 3 && arguments[1] == QLatin1String("--opml"))
        return printOpml(arguments[2]);
    if (arguments.size() != 4 || arguments[1] != QLatin1String("--kind"))
        return usage();
    const QString kind = arguments[2];
    if (kind != QLatin1String("XML") && kind != QLatin1String("XML2"))
        return usage();

    platform::controls::ListViewModel list;
    list.setColumnHeaders(quillet::articleColumnHeaders());
    const quillet::FeedParseContext context; // no read titles, no news log
    const std::int32_t result = quillet::ParseFeedOfKind(kind, arguments[3], list, context);
    for (const QString& line : quillet::dumpArticleRows(list))
        printLine(line);
    if (result != 0)
        std::fprintf(stderr, "feedcat: the parser could not read %s\n", argv[3]);
    return result == 0 ? 0 : 1;
}
