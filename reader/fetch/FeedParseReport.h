#pragma once
// What a parse learnt of a feed document besides its articles.
#include <QString>

namespace quillet {

struct FeedParseReport {
    QString namedEncoding; // the encoding named for the bytes, when they did not fit it
    QString usedEncoding;  // the encoding they were read in instead
};

} // namespace quillet
