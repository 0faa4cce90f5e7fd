// A downloaded feed document as the reader reads a feed of either kind (both
// RSS parsers, and Atom for a document of that shape): any bytes must give a
// list or a failure, never a crash, a hang or a read outside the input.
#include "FuzzFile.h"
#include "platform/controls/ListViewModel.h"
#include "reader/fetch/FeedParser.h"
#include "reader/mainwindow/NewsHistory.h"

#include <QCoreApplication>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static int argc = 1;
    static char name[] = "fuzz_feed_xml";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);

    const QString path = fuzzing::inputFile(data, size);
    quillet::NewsHistory read;
    read.addIfNew(QStringLiteral("ニュース"));
    quillet::FeedParseContext context;
    context.feedName = QStringLiteral("fuzz");
    context.readTitles = &read;
    context.names.xTitle = QStringLiteral("dc:title");
    context.logFolder = fuzzing::outputFolder();
    context.address = QStringLiteral("http://127.0.0.1/feeds/a.xml");
    platform::controls::ListViewModel first;
    quillet::ParseFeedOfKind(QStringLiteral("XML"), path, first, context);
    platform::controls::ListViewModel second;
    quillet::ParseFeedOfKind(QStringLiteral("XML2"), path, second, context);
    return 0;
}
