#include "platform/text/Codepage.h"

#include "platform/runtime/RuntimeError.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>

namespace platform::text {

namespace {

// One conversion descriptor, closed when it goes out of scope. Opened per call:
// the descriptors hold shift state and must not be shared between threads.
class Iconv {
public:
    Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) {
            throw RuntimeError(err::InvalidCall,
                               QStringLiteral("コードページ 932 の変換を開けません。"));
        }
    }
    ~Iconv() { iconv_close(cd_); }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;

    // Converts as much as it can. Returns 0 when all input was used, else the
    // errno that stopped it (EILSEQ or EINVAL) with *used set to the bytes
    // consumed; the output is appended to out either way.
    int convert(const char* input, std::size_t size, QByteArray& out, std::size_t* used) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* in = const_cast<char*>(input); // iconv's signature is not const-correct
        std::size_t inLeft = size;
        char buffer[4096];
        int result = 0;
        while (inLeft > 0) {
            char* outPtr = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t rc = iconv(cd_, &in, &inLeft, &outPtr, &outLeft);
            const int error = rc == static_cast<std::size_t>(-1) ? errno : 0;
            out.append(buffer, static_cast<qsizetype>(outPtr - buffer));
            if (error != 0 && error != E2BIG) {
                result = error;
                break;
            }
        }
        if (result == 0) {
            // Flush any pending shift state (none for these code pages, but cheap).
            char* outPtr = buffer;
            std::size_t outLeft = sizeof buffer;
            iconv(cd_, nullptr, nullptr, &outPtr, &outLeft);
            out.append(buffer, static_cast<qsizetype>(outPtr - buffer));
        }
        *used = size - inLeft;
        return result;
    }

private:
    iconv_t cd_;
};

constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

// Length of the UTF-8 sequence that starts with this byte (1 for stray bytes,
// so that a bad byte is skipped alone).
int utf8SequenceLength(unsigned char lead) {
    if (lead >= 0xF0 && lead <= 0xF4) {
        return 4;
    }
    if (lead >= 0xE0) {
        return lead <= 0xEF ? 3 : 1;
    }
    if (lead >= 0xC2) {
        return 2;
    }
    return 1;
}

// Encodes one code point, given as its UTF-8 bytes. Some characters are mapped
// one way only (U+00A5 becomes a backslash, U+2014 comes back as U+2015):
// those would change on a round trip, so they count as not representable.
bool encodeOne(Iconv& encoder, Iconv& decoder, const QByteArray& utf8, QByteArray& out) {
    QByteArray bytes;
    std::size_t used = 0;
    if (encoder.convert(utf8.constData(), static_cast<std::size_t>(utf8.size()), bytes, &used) !=
        0) {
        return false;
    }
    QByteArray back;
    if (decoder.convert(bytes.constData(), static_cast<std::size_t>(bytes.size()), back, &used) !=
            0 ||
        back != utf8) {
        return false;
    }
    out.append(bytes);
    return true;
}

} // namespace

QByteArray encodeCp932(const QString& text, bool* representable) {
    const QByteArray utf8 = text.toUtf8();
    Iconv encoder("CP932", "UTF-8");
    Iconv decoder("UTF-8", "CP932");

    // Whole text first: nearly every text fits, and one call is fast. The
    // round trip check catches the one-way mappings.
    QByteArray out;
    std::size_t used = 0;
    if (encoder.convert(utf8.constData(), static_cast<std::size_t>(utf8.size()), out, &used) == 0) {
        QByteArray back;
        if (decoder.convert(out.constData(), static_cast<std::size_t>(out.size()), back, &used) ==
                0 &&
            back == utf8) {
            if (representable != nullptr) {
                *representable = true;
            }
            return out;
        }
    }

    // Some character does not fit: go code point by code point and put "?" for
    // each one that does not.
    bool all = true;
    out.clear();
    qsizetype i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        if (lead < 0x80) {
            out.append(static_cast<char>(lead));
            ++i;
            continue;
        }
        const qsizetype length = std::min<qsizetype>(utf8SequenceLength(lead), utf8.size() - i);
        if (!encodeOne(encoder, decoder, utf8.mid(i, length), out)) {
            out.append('?');
            all = false;
        }
        i += length;
    }
    if (representable != nullptr) {
        *representable = all;
    }
    return out;
}

QString decodeCp932(const QByteArray& bytes) {
    Iconv decoder("UTF-8", "CP932");
    QByteArray utf8;
    const char* data = bytes.constData();
    std::size_t left = static_cast<std::size_t>(bytes.size());
    while (left > 0) {
        std::size_t used = 0;
        const int stop = decoder.convert(data, left, utf8, &used);
        data += used;
        left -= used;
        if (stop == 0) {
            break;
        }
        // A byte that starts no character (or a lead byte cut off at the end)
        // becomes U+FFFD; decoding goes on with the next byte.
        utf8.append("\xEF\xBF\xBD");
        ++data;
        --left;
    }
    return QString::fromUtf8(utf8);
}

QString decodeFileBytes(const QByteArray& bytes) {
    if (bytes.startsWith(kUtf8Bom)) {
        return QString::fromUtf8(bytes.constData() + 3, bytes.size() - 3);
    }
    return decodeCp932(bytes);
}

QByteArray encodeFileText(const QString& text) {
    bool representable = true;
    QByteArray bytes = encodeCp932(text, &representable);
    if (representable) {
        return bytes;
    }
    return QByteArray(kUtf8Bom) + text.toUtf8();
}

} // namespace platform::text
