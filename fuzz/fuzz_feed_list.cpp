// A feed list file (the catalogue, an imported list, the patrol list): any bytes
// must load completely or stop with -1, never crash; what loaded saves again.
#include "FuzzFile.h"
#include "platform/controls/TreeViewModel.h"
#include "platform/runtime/RuntimeError.h"
#include "reader/catalogue/FeedList.h"

#include <QCoreApplication>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static int argc = 1;
    static char name[] = "fuzz_feed_list";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);

    platform::controls::TreeViewModel tree;
    quillet::LoadFeedList(tree, fuzzing::inputFile(data, size));
    try {
        quillet::SaveFeedList(tree, fuzzing::outputFolder() + QStringLiteral("Newslist.brd"));
    } catch (const platform::RuntimeError&) {
        // A name the file format cannot hold is refused; that is no fault.
    }
    return 0;
}
