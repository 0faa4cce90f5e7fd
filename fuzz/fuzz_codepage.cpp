// Code page 932 and the line reader: any bytes decode to some text and split
// into lines; text that came from code page 932 bytes encodes back to them.
#include "FuzzFile.h"
#include "platform/text/Codepage.h"
#include "platform/text/LineFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString text = platform::text::decodeCp932(bytes);
    bool representable = false;
    const QByteArray encoded = platform::text::encodeCp932(text, &representable);
    if (representable && platform::text::decodeCp932(encoded) != text)
        std::abort(); // what decoding gives must survive a round trip
    platform::text::decodeFileBytes(bytes);
    platform::text::readLines(fuzzing::inputFile(data, size));
    return 0;
}
