// A skin's maker.txt as the skin manager reads it: any bytes give some
// description, never a crash.
#include "FuzzFile.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/text/LineFile.h"
#include "reader/present/SkinDescription.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        quillet::parseSkinDescription(platform::text::readLines(fuzzing::inputFile(data, size)));
    } catch (const platform::RuntimeError&) {
        // An unreadable file is the manager's to report.
    }
    return 0;
}
