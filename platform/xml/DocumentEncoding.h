#pragma once
// How a feed document's bytes become the UTF-8 that the XML parser reads.
// The encoding is decided in this order: a byte-order mark, the charset the
// server named, the XML declaration. When the bytes are not valid in the
// encoding so named (a Shift_JIS feed declared EUC-JP, a UTF-8 feed declared
// Shift_JIS, no declaration and not UTF-8), the document is read in the
// Japanese encoding its bytes fit best among UTF-8, Shift_JIS (code page 932),
// EUC-JP and ISO-2022-JP, instead of failing the whole feed.
#include <QByteArray>
#include <QString>

namespace platform::xml {

enum class Encoding {
    Native, // libxml2 decodes by itself, by the declaration (or UTF-16 by its mark)
    Utf8,
    CodePage932,
    EucJp,
    Iso2022Jp,
};

struct EncodingChoice {
    Encoding encoding = Encoding::Native;
    // The label that was named (by the server or the declaration), when the
    // bytes did not fit it and another encoding was chosen; empty otherwise.
    QByteArray overriddenLabel;
};

// Where the document really starts: past white space and UTF-8 byte-order marks
// that some servers put before the declaration. A UTF-16 document keeps its
// mark, since libxml2 needs it to know the byte order.
qsizetype documentStart(const char* data, qsizetype size);

// The encoding to read the document in; `data` starts at documentStart, and
// `hadUtf8Mark` tells whether a UTF-8 byte-order mark stood before it.
EncodingChoice chooseEncoding(const char* data, qsizetype size, bool hadUtf8Mark,
                              const QByteArray& transportCharset);

// True when the parser's own reading of UTF-8 can stand in for chooseEncoding:
// the document starts plainly in UTF-8 without a byte-order mark, and the
// server and the declaration name UTF-8 or nothing. The parser refuses every
// byte that forms no UTF-8 character, and the escapes of ISO-2022-JP too, so
// bytes it reads without fault are ones chooseEncoding would have left to it;
// only bytes it refuses need the whole check. `data` starts at documentStart
// and needs only hold the document's head.
bool parserReadsAsUtf8(const char* data, qsizetype size, bool hadUtf8Mark,
                       const QByteArray& transportCharset);

// The document converted to UTF-8 (a byte that forms no character becomes
// U+FFFD); false with a reason when the system cannot convert that encoding.
bool convertToUtf8(Encoding encoding, const char* data, qsizetype size, QByteArray* out,
                   QString* error);

// The name a person knows the encoding by ("Shift_JIS", "EUC-JP", ...).
QString encodingName(Encoding encoding);

} // namespace platform::xml
