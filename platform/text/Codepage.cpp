#include "platform/text/Codepage.h"

#include "platform/runtime/RuntimeError.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <iconv.h>
#include <memory>
#include <vector>

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

// What one conversion call has learnt of the characters it met, by key:
// a table over every key for long texts, a short list for short ones (a menu
// caption, a line), for which clearing the whole table would cost more than
// converting the text.
template <typename Value> class KnownCodes {
public:
    static constexpr Value Unknown = 0;
    KnownCodes(qsizetype textSize, std::size_t keys)
        : keys_(keys), useTable_(textSize > kShortText) {}
    // The slot for the key, Unknown until set; valid until the next call.
    Value& at(std::size_t key) {
        if (useTable_) {
            if (table_.empty())
                table_.assign(keys_, Unknown);
            return table_[key];
        }
        for (auto& [known, value] : list_) {
            if (known == key)
                return value;
        }
        return list_.emplace_back(key, Unknown).second;
    }

private:
    static constexpr qsizetype kShortText = 512;
    std::size_t keys_;
    bool useTable_;
    std::vector<Value> table_;
    std::vector<std::pair<std::size_t, Value>> list_;
};

// Reads code page 932 one character at a time, asking iconv for each pair or
// single byte only the first time it is met.
class Cp932Reader {
public:
    explicit Cp932Reader(qsizetype size) : pairs_(size, 0x10000), singles_(size, 0x100) {}

    // The character that starts at data[i]; *width is set to the bytes it took.
    // Bytes that form no character give U+FFFD: a lead byte whose pair forms no
    // character is replaced alone and the next byte is read on its own.
    char16_t next(const char* data, qsizetype size, qsizetype i, int* width) {
        const auto byte = static_cast<unsigned char>(data[i]);
        *width = 1;
        if (byte < 0x80)
            return byte;
        const bool lead = (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
        if (lead && i + 1 < size) {
            const auto trail = static_cast<unsigned char>(data[i + 1]);
            char16_t& unit = pairs_.at((byte << 8) | trail);
            if (unit == Unknown)
                unit = decode(data + i, 2);
            if (unit == Invalid)
                return Replacement;
            *width = 2;
            return unit;
        }
        char16_t& unit = singles_.at(byte);
        if (unit == Unknown)
            unit = lead ? Invalid : decode(data + i, 1);
        return unit == Invalid ? Replacement : unit;
    }

private:
    static constexpr char16_t Unknown = KnownCodes<char16_t>::Unknown;
    static constexpr char16_t Invalid = 0xFFFF;
    static constexpr char16_t Replacement = 0xFFFD;

    char16_t decode(const char* input, std::size_t length) {
        if (!decoder_)
            decoder_ = std::make_unique<Iconv>("UTF-8", "CP932");
        QByteArray utf8;
        std::size_t used = 0;
        if (decoder_->convert(input, length, utf8, &used) != 0 || used != length)
            return Invalid;
        const QString decoded = QString::fromUtf8(utf8);
        return decoded.size() == 1 ? decoded[0].unicode() : Invalid;
    }

    std::unique_ptr<Iconv> decoder_;
    KnownCodes<char16_t> pairs_;   // by lead byte << 8 | trail byte
    KnownCodes<char16_t> singles_; // by byte
};

} // namespace

// Both directions remember, for this call only, what iconv said of each
// character the first time it was met: a long file repeats a few thousand
// characters, and asking iconv once per distinct character is many times
// faster than per byte.
QByteArray encodeCp932(const QString& text, bool* representable) {
    constexpr std::uint16_t Unknown = KnownCodes<std::uint16_t>::Unknown;
    constexpr std::uint16_t NoForm = 0xFFFF; // no trail byte reaches 0xFF, so no code clashes
    std::unique_ptr<Iconv> encoder;
    std::unique_ptr<Iconv> decoder;
    KnownCodes<std::uint16_t> codes(text.size(), 0x10000);

    bool all = true;
    // Never more than two bytes a character: write into a buffer of that size.
    QByteArray out(text.size() * 2, Qt::Uninitialized);
    char* next = out.data();
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t unit = text[i].unicode();
        if (unit < 0x80) {
            *next++ = static_cast<char>(unit);
            continue;
        }
        if (QChar::isSurrogate(unit)) {
            // Nothing outside the basic plane has a code page 932 form.
            if (QChar::isHighSurrogate(unit) && i + 1 < size && text[i + 1].isLowSurrogate())
                ++i;
            *next++ = '?';
            all = false;
            continue;
        }
        if (!encoder) {
            encoder = std::make_unique<Iconv>("CP932", "UTF-8");
            decoder = std::make_unique<Iconv>("UTF-8", "CP932");
        }
        std::uint16_t& code = codes.at(unit);
        if (code == Unknown) {
            QByteArray bytes;
            if (encodeOne(*encoder, *decoder, QString(QChar(unit)).toUtf8(), bytes))
                code =
                    bytes.size() == 1
                        ? static_cast<unsigned char>(bytes[0])
                        : static_cast<std::uint16_t>((static_cast<unsigned char>(bytes[0]) << 8) |
                                                     static_cast<unsigned char>(bytes[1]));
            else
                code = NoForm;
        }
        if (code == NoForm) {
            *next++ = '?';
            all = false;
        } else if (code > 0xFF) {
            *next++ = static_cast<char>(code >> 8);
            *next++ = static_cast<char>(code & 0xFF);
        } else {
            *next++ = static_cast<char>(code);
        }
    }
    out.truncate(next - out.constData());
    if (representable != nullptr)
        *representable = all;
    return out;
}

QString decodeCp932(const QByteArray& bytes) {
    Cp932Reader reader(bytes.size());
    // Never more characters than bytes: write into a buffer of that size.
    QString out(bytes.size(), Qt::Uninitialized);
    char16_t* next = reinterpret_cast<char16_t*>(out.data());
    const char16_t* const first = next;
    const char* data = bytes.constData();
    const qsizetype size = bytes.size();
    for (qsizetype i = 0; i < size;) {
        int width = 1;
        *next++ = reader.next(data, size, i, &width);
        i += width;
    }
    out.truncate(next - first);
    return out;
}

QByteArray decodeCp932ToUtf8(const char* data, qsizetype size) {
    Cp932Reader reader(size);
    // Every code page 932 character lies in the basic plane, so no byte grows
    // to more than three bytes of UTF-8.
    QByteArray out(size * 3, Qt::Uninitialized);
    char* next = out.data();
    const char* const first = next;
    for (qsizetype i = 0; i < size;) {
        if (static_cast<unsigned char>(data[i]) < 0x80) {
            *next++ = data[i++];
            continue;
        }
        int width = 1;
        const char16_t unit = reader.next(data, size, i, &width);
        i += width;
        if (unit < 0x80) {
            *next++ = static_cast<char>(unit);
        } else if (unit < 0x800) {
            *next++ = static_cast<char>(0xC0 | (unit >> 6));
            *next++ = static_cast<char>(0x80 | (unit & 0x3F));
        } else {
            *next++ = static_cast<char>(0xE0 | (unit >> 12));
            *next++ = static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
            *next++ = static_cast<char>(0x80 | (unit & 0x3F));
        }
    }
    out.truncate(next - first);
    return out;
}

QByteArray encodeCp932WithReferences(const QString& text) {
    bool representable = true;
    QByteArray bytes = encodeCp932(text, &representable);
    if (representable)
        return bytes;
    bytes.clear();
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < text.size();) {
        const bool pair =
            text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        const qsizetype length = pair ? 2 : 1;
        bool fits = true;
        encodeCp932(text.mid(i, length), &fits);
        if (!fits) {
            bytes += encodeCp932(text.mid(runStart, i - runStart));
            const char32_t code =
                pair ? QChar::surrogateToUcs4(text[i], text[i + 1]) : text[i].unicode();
            bytes += "&#" + QByteArray::number(static_cast<unsigned>(code)) + ';';
            runStart = i + length;
        }
        i += length;
    }
    bytes += encodeCp932(text.mid(runStart));
    return bytes;
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
