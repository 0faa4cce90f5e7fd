// An OPML outline from another reader: any bytes are read or refused, and what
// was read imports into a catalogue that saves as a feed list.
#include "FuzzFile.h"
#include "platform/controls/TreeViewModel.h"
#include "platform/runtime/RuntimeError.h"
#include "reader/catalogue/FeedList.h"
#include "reader/catalogue/Opml.h"

#include <QCoreApplication>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static int argc = 1;
    static char name[] = "fuzz_opml";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);

    quillet::OpmlOutline outline;
    QString reason;
    if (!quillet::ReadOpml(fuzzing::inputFile(data, size), outline, &reason))
        return 0;
    platform::controls::TreeViewModel tree;
    tree.setTag(QStringLiteral("1"));
    try {
        quillet::ImportOpml(tree, outline);
        quillet::SaveFeedList(tree, fuzzing::outputFolder() + QStringLiteral("Newslist.brd"));
    } catch (const platform::RuntimeError&) {
        // A name the feed list cannot hold is refused; that is no fault.
    }
    return 0;
}
