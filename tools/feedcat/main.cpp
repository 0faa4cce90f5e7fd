// feedcat --kind XML|XML2 FILE: runs that feed parser over FILE with no read
// titles and no news log, and prints one line per article row. Exits 0 when the
// parser succeeded, 1 when it failed, 2 on a wrong command line.
#include "platform/controls/ListViewModel.h"
#include "reader/fetch/FeedDump.h"
#include "reader/fetch/FeedParser.h"
#include "reader/mainwindow/MainWindowModel.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

int usage() {
    std::fputs("usage: feedcat --kind XML|XML2 FILE\n", stderr);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 4 || arguments[1] != QLatin1String("--kind"))
        return usage();
    const QString kind = arguments[2];
    if (kind != QLatin1String("XML") && kind != QLatin1String("XML2"))
        return usage();

    platform::controls::ListViewModel list;
    list.setColumnHeaders(quillet::articleColumnHeaders());
    const quillet::FeedParseContext context; // no read titles, no news log
    const std::int32_t result = kind == QLatin1String("XML")
                                    ? quillet::ParseXmlFeed(arguments[3], list, context)
                                    : quillet::ParseXml2Feed(arguments[3], list, context);
    for (const QString& line : quillet::dumpArticleRows(list)) {
        const QByteArray utf8 = line.toUtf8();
        std::fwrite(utf8.constData(), 1, static_cast<std::size_t>(utf8.size()), stdout);
        std::fputc('\n', stdout);
    }
    if (result != 0)
        std::fprintf(stderr, "feedcat: the parser could not read %s\n", argv[3]);
    return result == 0 ? 0 : 1;
}
