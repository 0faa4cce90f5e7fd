// A downloaded feed document through both parsers: any bytes must give a list
// or a failure, never a crash, a hang or a read outside the input.
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
    platform::controls::ListViewModel first;
    quillet::ParseXmlFeed(path, first, context);
    platform::controls::ListViewModel second;
    quillet::ParseXml2Feed(path, second, context);
    return 0;
}
