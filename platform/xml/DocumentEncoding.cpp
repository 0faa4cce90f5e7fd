#include "platform/xml/DocumentEncoding.h"

#include "platform/text/Codepage.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <iconv.h>
#include <string_view>
#include <vector>

namespace platform::xml {

namespace {

bool isSpaceByte(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i];
        char y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<char>(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

// The encoding label of the XML declaration at the start of `text`, or empty when
// there is no declaration or it names no encoding. A declaration this cannot read
// is left for libxml2 to report.
std::string_view declaredEncoding(std::string_view text) {
    constexpr std::string_view opening = "<?xml";
    if (text.substr(0, opening.size()) != opening || text.size() <= opening.size() ||
        !isSpaceByte(text[opening.size()]))
        return {};
    // A declaration is short; a few hundred bytes hold any sensible one.
    const std::string_view head = text.substr(0, 512);
    std::size_t at = opening.size();
    auto skipSpace = [&] {
        while (at < head.size() && isSpaceByte(head[at]))
            ++at;
    };
    for (;;) {
        skipSpace();
        const std::size_t nameStart = at;
        while (at < head.size() &&
               ((head[at] >= 'a' && head[at] <= 'z') || (head[at] >= 'A' && head[at] <= 'Z')))
            ++at;
        const std::string_view name = head.substr(nameStart, at - nameStart);
        if (name.empty())
            return {};
        skipSpace();
        if (at >= head.size() || head[at] != '=')
            return {};
        ++at;
        skipSpace();
        if (at >= head.size() || (head[at] != '"' && head[at] != '\''))
            return {};
        const char quote = head[at++];
        const std::size_t valueEnd = head.find(quote, at);
        if (valueEnd == std::string_view::npos)
            return {};
        const std::string_view value = head.substr(at, valueEnd - at);
        at = valueEnd + 1;
        if (name == "encoding")
            return value;
    }
}

struct IconvCloser {
    iconv_t descriptor;
    ~IconvCloser() { iconv_close(descriptor); }
};

// Through iconv from the named encoding. A byte that forms no character
// becomes U+FFFD, as in code page 932, so one stray byte does not cost the
// reader a whole feed.
bool iconvToUtf8(const char* from, const char* data, qsizetype size, QByteArray* out,
                 QString* error) {
    const iconv_t descriptor = iconv_open("UTF-8", from);
    if (descriptor == reinterpret_cast<iconv_t>(-1)) {
        *error = QStringLiteral("%1 is not supported by this system").arg(QLatin1String(from));
        return false;
    }
    const IconvCloser closer{descriptor};
    static constexpr char replacement[] = "\xEF\xBF\xBD";

    // A Japanese sequence grows by at most half in UTF-8; the loop below still
    // copes with anything longer.
    out->resize(size + size / 2 + 16);
    char* input = const_cast<char*>(data);
    std::size_t inputLeft = static_cast<std::size_t>(size);
    qsizetype written = 0;
    while (inputLeft > 0) {
        char* output = out->data() + written;
        std::size_t outputLeft = static_cast<std::size_t>(out->size() - written);
        const std::size_t result = iconv(descriptor, &input, &inputLeft, &output, &outputLeft);
        written = output - out->data();
        if (result != static_cast<std::size_t>(-1))
            break;
        if (errno == E2BIG) {
            out->resize(out->size() * 2);
            continue;
        }
        // EILSEQ (a bad sequence) or EINVAL (cut off at the end): replace one byte.
        if (out->size() - written < 3)
            out->resize(out->size() * 2);
        std::memcpy(out->data() + written, replacement, 3);
        written += 3;
        ++input;
        --inputLeft;
    }
    out->truncate(written);
    return true;
}

// How well the bytes fit an encoding: sequences that form no character, and a
// score that grows with the kana and kanji a Japanese text is made of, so that
// of two encodings that both fit, the one that reads as Japanese wins.
struct Fit {
    qsizetype invalid = 0;
    qsizetype score = 0;
};

// Markup is mostly ASCII: true when the eight bytes at b[i] are all below
// 0x80, which every encoding checked here reads as single characters.
bool eightAsciiAt(const unsigned char* b, qsizetype i, qsizetype n) {
    if (i + 8 > n)
        return false;
    std::uint64_t word;
    std::memcpy(&word, b + i, sizeof word);
    return (word & 0x8080808080808080ULL) == 0;
}

Fit fitUtf8(const unsigned char* b, qsizetype n, bool stopAtInvalid = false) {
    Fit fit;
    for (qsizetype i = 0; i < n;) {
        if (eightAsciiAt(b, i, n)) {
            i += 8;
            continue;
        }
        const unsigned char c = b[i];
        int length = c < 0x80           ? 1
                     : (c >> 5) == 0x6  ? 2
                     : (c >> 4) == 0xE  ? 3
                     : (c >> 3) == 0x1E ? 4
                                        : 0;
        if (length == 0 || (length == 2 && c < 0xC2) || i + length > n) {
            ++fit.invalid;
            if (stopAtInvalid)
                return fit;
            ++i;
            continue;
        }
        bool good = true;
        for (int k = 1; k < length; ++k)
            good = good && (b[i + k] & 0xC0) == 0x80;
        if (!good) {
            ++fit.invalid;
            if (stopAtInvalid)
                return fit;
            ++i;
            continue;
        }
        fit.score += length > 1 ? 2 : 0;
        i += length;
    }
    return fit;
}

Fit fitCodePage932(const unsigned char* b, qsizetype n, bool stopAtInvalid = false) {
    Fit fit;
    for (qsizetype i = 0; i < n;) {
        if (eightAsciiAt(b, i, n)) {
            i += 8;
            continue;
        }
        const unsigned char c = b[i];
        if (c < 0x80) {
            ++i;
        } else if (c >= 0xA1 && c <= 0xDF) {
            // Half-width kana: rare in today's text, and what EUC-JP bytes look
            // like when taken for code page 932.
            --fit.score;
            ++i;
        } else if ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) {
            const unsigned char t = i + 1 < n ? b[i + 1] : 0;
            if ((t >= 0x40 && t <= 0x7E) || (t >= 0x80 && t <= 0xFC)) {
                fit.score += (c == 0x82 || c == 0x83) ? 2 : 1; // hiragana, katakana
                i += 2;
            } else {
                ++fit.invalid;
                if (stopAtInvalid)
                    return fit;
                ++i;
            }
        } else {
            ++fit.invalid;
            if (stopAtInvalid)
                return fit;
            ++i;
        }
    }
    return fit;
}

Fit fitEucJp(const unsigned char* b, qsizetype n, bool stopAtInvalid = false) {
    Fit fit;
    const auto inRow = [](unsigned char c) { return c >= 0xA1 && c <= 0xFE; };
    for (qsizetype i = 0; i < n;) {
        if (eightAsciiAt(b, i, n)) {
            i += 8;
            continue;
        }
        const unsigned char c = b[i];
        const unsigned char t = i + 1 < n ? b[i + 1] : 0;
        if (c < 0x80) {
            ++i;
        } else if (c == 0x8E && t >= 0xA1 && t <= 0xDF) {
            --fit.score; // half-width kana
            i += 2;
        } else if (c == 0x8F && inRow(t) && i + 2 < n && inRow(b[i + 2])) {
            fit.score += 1;
            i += 3;
        } else if (inRow(c) && inRow(t)) {
            fit.score += (c == 0xA4 || c == 0xA5) ? 2 : 1; // hiragana, katakana
            i += 2;
        } else {
            ++fit.invalid;
            if (stopAtInvalid)
                return fit;
            ++i;
        }
    }
    return fit;
}

// Seven-bit bytes with the escapes that switch to JIS X 0208.
Fit fitIso2022Jp(const unsigned char* b, qsizetype n) {
    Fit fit;
    // Without an escape byte it is no such text; most documents end here.
    if (std::memchr(b, 0x1B, static_cast<std::size_t>(n)) == nullptr) {
        fit.invalid = 1;
        return fit;
    }
    for (qsizetype i = 0; i < n; ++i) {
        if (b[i] >= 0x80)
            ++fit.invalid;
        else if (b[i] == 0x1B && i + 2 < n && b[i + 1] == '$' &&
                 (b[i + 2] == 'B' || b[i + 2] == '@'))
            fit.score += 2;
    }
    if (fit.score == 0)
        ++fit.invalid; // without an escape it is plain ASCII, not this encoding
    return fit;
}

Fit fitOf(Encoding encoding, const unsigned char* b, qsizetype n, bool stopAtInvalid = false) {
    switch (encoding) {
    case Encoding::Utf8:
        return fitUtf8(b, n, stopAtInvalid);
    case Encoding::CodePage932:
        return fitCodePage932(b, n, stopAtInvalid);
    case Encoding::EucJp:
        return fitEucJp(b, n, stopAtInvalid);
    case Encoding::Iso2022Jp:
        return fitIso2022Jp(b, n);
    case Encoding::Native:
        break;
    }
    return {};
}

Encoding encodingForLabel(std::string_view label) {
    static constexpr std::string_view codePage932Labels[] = {
        "shift_jis",  "shift-jis",   "sjis",  "x-sjis", "ms_kanji",
        "csshiftjis", "windows-31j", "cp932", "ms932"};
    static constexpr std::string_view eucJpLabels[] = {"euc-jp", "eucjp", "x-euc-jp",
                                                       "cseucpkdfmtjapanese"};
    static constexpr std::string_view iso2022JpLabels[] = {"iso-2022-jp", "csiso2022jp"};
    for (std::string_view known : codePage932Labels) {
        if (equalsIgnoringAsciiCase(label, known))
            return Encoding::CodePage932;
    }
    for (std::string_view known : eucJpLabels) {
        if (equalsIgnoringAsciiCase(label, known))
            return Encoding::EucJp;
    }
    for (std::string_view known : iso2022JpLabels) {
        if (equalsIgnoringAsciiCase(label, known))
            return Encoding::Iso2022Jp;
    }
    if (equalsIgnoringAsciiCase(label, "utf-8") || equalsIgnoringAsciiCase(label, "utf8"))
        return Encoding::Utf8;
    return Encoding::Native;
}

// The encoding the bytes fit best: seven-bit text with JIS escapes is
// ISO-2022-JP, valid UTF-8 with any multi-byte character is UTF-8, and of code
// page 932 and EUC-JP the one with fewer broken sequences, then the one that
// reads more like Japanese.
Encoding detectEncoding(const unsigned char* b, qsizetype n, Encoding named) {
    if (fitIso2022Jp(b, n).invalid == 0)
        return Encoding::Iso2022Jp;
    const Fit utf8 = fitUtf8(b, n);
    if (utf8.invalid == 0 && utf8.score > 0)
        return Encoding::Utf8;
    Encoding best = named == Encoding::Native ? Encoding::Utf8 : named;
    Fit bestFit = fitOf(best, b, n);
    for (Encoding candidate : {Encoding::CodePage932, Encoding::EucJp, Encoding::Utf8}) {
        const Fit fit = fitOf(candidate, b, n);
        if (fit.invalid < bestFit.invalid ||
            (fit.invalid == bestFit.invalid && fit.score > bestFit.score)) {
            best = candidate;
            bestFit = fit;
        }
    }
    return best;
}

} // namespace

// Where the document really starts: past white space and UTF-8 byte-order marks
// that some servers put before the declaration. A UTF-16 document keeps its mark,
// since libxml2 needs it to know the byte order.
qsizetype documentStart(const char* data, qsizetype size) {
    if (size >= 2 &&
        ((data[0] == '\xFF' && data[1] == '\xFE') || (data[0] == '\xFE' && data[1] == '\xFF')))
        return 0;
    qsizetype at = 0;
    for (;;) {
        if (at < size && isSpaceByte(data[at])) {
            ++at;
        } else if (size - at >= 3 && data[at] == '\xEF' && data[at + 1] == '\xBB' &&
                   data[at + 2] == '\xBF') {
            at += 3;
        } else {
            return at;
        }
    }
}

EncodingChoice chooseEncoding(const char* data, qsizetype size, bool hadUtf8Mark,
                              const QByteArray& transportCharset) {
    EncodingChoice choice;
    // UTF-16 documents start with their mark and are libxml2's to decode.
    if (size >= 2 && (data[0] == '\xFF' || data[0] == '\xFE'))
        return choice;
    // The names given for the bytes, strongest first; the XML default when
    // nothing names one.
    std::vector<std::string_view> labels;
    if (hadUtf8Mark)
        labels.push_back("UTF-8");
    if (!transportCharset.isEmpty())
        labels.emplace_back(transportCharset.constData(),
                            static_cast<std::size_t>(transportCharset.size()));
    const std::string_view declared =
        declaredEncoding(std::string_view(data, static_cast<std::size_t>(size)));
    if (!declared.empty())
        labels.push_back(declared);
    const bool named = !labels.empty();
    if (!named)
        labels.push_back("UTF-8");

    // The first name the bytes fit wins; a name of another encoding than those
    // we check is libxml2's to decode by its declaration. Two kinds of bytes
    // fit only one encoding whatever they are called: seven-bit text with JIS
    // escapes (an escape cannot stand in XML) and UTF-8 with multi-byte
    // characters (Japanese text in Shift_JIS or EUC-JP is never valid UTF-8:
    // the bytes of its kana cannot start a UTF-8 character).
    const auto* bytes = reinterpret_cast<const unsigned char*>(data);
    const bool plainlyIso2022Jp = fitIso2022Jp(bytes, size).invalid == 0;
    // Worked out only when a name other than UTF-8 asks for it.
    int plainlyUtf8 = -1;
    const auto isPlainlyUtf8 = [&] {
        if (plainlyUtf8 < 0) {
            const Fit utf8 = fitUtf8(bytes, size, true);
            plainlyUtf8 = utf8.invalid == 0 && utf8.score > 0 ? 1 : 0;
        }
        return plainlyUtf8 == 1;
    };
    for (std::string_view label : labels) {
        const Encoding encoding = encodingForLabel(label);
        if (encoding == Encoding::Native)
            return choice;
        if ((plainlyIso2022Jp && encoding != Encoding::Iso2022Jp) ||
            (encoding != Encoding::Utf8 && isPlainlyUtf8()))
            continue;
        if (fitOf(encoding, bytes, size, true).invalid == 0) {
            // UTF-8 goes to libxml2 as it always did, unless the declaration
            // names another encoding, which libxml2 would decode by instead.
            const bool declaredOther =
                !declared.empty() && encodingForLabel(declared) != Encoding::Utf8;
            choice.encoding = encoding == Encoding::Utf8 && !hadUtf8Mark && !declaredOther
                                  ? Encoding::Native
                                  : encoding;
            return choice;
        }
    }
    const Encoding first = encodingForLabel(labels.front());
    choice.encoding = detectEncoding(bytes, size, first);
    if (choice.encoding != first)
        choice.overriddenLabel =
            named ? QByteArray(labels.front().data(), static_cast<qsizetype>(labels.front().size()))
                  : QByteArrayLiteral("UTF-8");
    return choice;
}

bool parserReadsAsUtf8(const char* data, qsizetype size, bool hadUtf8Mark,
                       const QByteArray& transportCharset) {
    // Without '<' and a byte other than NUL first, the parser guesses UTF-16 or
    // a four-byte form from the opening bytes instead of reading UTF-8.
    if (hadUtf8Mark || size < 2 || data[0] != '<' || data[1] == '\0')
        return false;
    if (!transportCharset.isEmpty() &&
        encodingForLabel(std::string_view(transportCharset.constData(),
                                          static_cast<std::size_t>(transportCharset.size()))) !=
            Encoding::Utf8)
        return false;
    // A declaration of another encoding would have the parser decode by it.
    const std::string_view declared =
        declaredEncoding(std::string_view(data, static_cast<std::size_t>(size)));
    return declared.empty() || encodingForLabel(declared) == Encoding::Utf8;
}

bool convertToUtf8(Encoding encoding, const char* data, qsizetype size, QByteArray* out,
                   QString* error) {
    switch (encoding) {
    case Encoding::CodePage932:
        *out = text::decodeCp932ToUtf8(data, size);
        return true;
    case Encoding::EucJp:
        // With the vendor rows (circled numbers, Roman numerals) that plain
        // EUC-JP lacks.
        return iconvToUtf8("EUC-JP-MS", data, size, out, error);
    case Encoding::Iso2022Jp:
        return iconvToUtf8("ISO-2022-JP-3", data, size, out, error);
    case Encoding::Utf8:
        // Broken sequences become U+FFFD, as the other encodings' do.
        *out = QString::fromUtf8(data, size).toUtf8();
        return true;
    case Encoding::Native:
        break;
    }
    *out = QByteArray(data, size);
    return true;
}

QString encodingName(Encoding encoding) {
    switch (encoding) {
    case Encoding::Utf8:
        return QStringLiteral("UTF-8");
    case Encoding::CodePage932:
        return QStringLiteral("Shift_JIS");
    case Encoding::EucJp:
        return QStringLiteral("EUC-JP");
    case Encoding::Iso2022Jp:
        return QStringLiteral("ISO-2022-JP");
    case Encoding::Native:
        break;
    }
    return QString();
}

} // namespace platform::xml
