#include "platform/text/Codepage.h"

#include <gtest/gtest.h>

using namespace platform::text;

namespace {

QByteArray hex(const char* digits) {
    return QByteArray::fromHex(digits);
}

} // namespace

TEST(Codepage, JapaneseAndSymbolsRoundTripThroughCodePage932) {
    struct Case {
        const char* text;
        const char* bytes;
    };
    const Case cases[] = {
        {"日本", "93fa967b"},
        {"ｱｲｳ", "b1b2b3"}, // half-width katakana are single bytes
        {"～", "8160"},    // U+FF5E, the wave dash as typed on this code page
        {"①", "8740"},     // the row of circled numbers and roman numerals
        {"Ⅲ", "8756"},
        {"￢", "81ca"},
        {"―", "815c"},   // U+2015
        {"\\~", "5c7e"}, // ASCII stays ASCII
        {"髙", "fbfc"},  // the extension rows
        {"a=b\r\n", "613d620d0a"},
    };
    for (const Case& c : cases) {
        const QString text = QString::fromUtf8(c.text);
        bool representable = false;
        const QByteArray bytes = encodeCp932(text, &representable);
        EXPECT_TRUE(representable) << c.text;
        EXPECT_EQ(bytes, hex(c.bytes)) << c.text;
        EXPECT_EQ(decodeCp932(bytes), text) << c.text;
        EXPECT_EQ(decodeCp932ToUtf8(bytes.constData(), bytes.size()), text.toUtf8()) << c.text;
        EXPECT_EQ(encodeFileText(text), bytes) << c.text;
        EXPECT_EQ(decodeFileBytes(bytes), text) << c.text;
    }
}

TEST(Codepage, CharactersOutsideTheCodePageAreDetectedAndKept) {
    // Emoji (a surrogate pair), Hangul, Latin accents, and characters the
    // converter maps only one way (¥ to a backslash, the em dash to U+2015).
    for (const char* sample : {"記事😀です", "한국", "café", "¥100", "a—b", "〜", "−1"}) {
        const QString text = QString::fromUtf8(sample);
        bool representable = true;
        const QByteArray bytes = encodeCp932(text, &representable);
        EXPECT_FALSE(representable) << sample;
        EXPECT_TRUE(bytes.contains('?')) << sample;

        const QByteArray file = encodeFileText(text);
        EXPECT_TRUE(file.startsWith("\xEF\xBB\xBF")) << sample;
        EXPECT_EQ(decodeFileBytes(file), text) << sample;
    }
    // Only the unrepresentable character is replaced; the rest stays readable.
    EXPECT_EQ(decodeCp932(encodeCp932(QString::fromUtf8("日😀本"))), QString::fromUtf8("日?本"));
    EXPECT_EQ(encodeCp932(QString()), QByteArray());
}

TEST(Codepage, BadBytesDecodeToReplacementCharacters) {
    const QString replacement(QChar(0xFFFD));
    EXPECT_EQ(decodeCp932(hex("41ff42")), "A" + replacement + "B");
    EXPECT_EQ(decodeCp932(hex("4193")), "A" + replacement); // lead byte cut off at the end
    EXPECT_EQ(decodeCp932(hex("93fa80")), QString::fromUtf8("日") + replacement);
    // Straight into UTF-8, the same characters and replacements.
    for (const char* digits : {"41ff42", "4193", "93fa80", "a1df8740fbfc5c"}) {
        const QByteArray bytes = hex(digits);
        EXPECT_EQ(decodeCp932ToUtf8(bytes.constData(), bytes.size()), decodeCp932(bytes).toUtf8())
            << digits;
    }
    // A byte-order mark makes the bytes UTF-8 and is dropped.
    EXPECT_EQ(decodeFileBytes(hex("efbbbfe697a5")), QString::fromUtf8("日"));
    EXPECT_EQ(decodeFileBytes(hex("efbbbf")), QString());
    EXPECT_EQ(decodeFileBytes(QByteArray()), QString());
}
