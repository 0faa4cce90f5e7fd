#include "platform/runtime/Conversions.h"
#include "platform/runtime/RuntimeError.h"

#include <QDateTime>
#include <QTime>
#include <gtest/gtest.h>

#include <cstdint>

using platform::Int16;
using platform::RuntimeError;

namespace {

// The error number a call raises, or 0 when it returns normally.
template <typename F> int errorOf(F&& call) {
    try {
        (void)call();
    } catch (const RuntimeError& e) {
        return e.number();
    }
    return 0;
}

int int16Error(const char* text) {
    return errorOf([&] { return platform::toInt16(QString::fromUtf8(text)); });
}
int int32Error(const char* text) {
    return errorOf([&] { return platform::toInt32(QString::fromUtf8(text)); });
}
int singleError(const char* text) {
    return errorOf([&] { return platform::toSingle(QString::fromUtf8(text)); });
}

} // namespace

TEST(Conversions, IntegersRoundHalvesToEvenAndAcceptEveryNumberForm) {
    using platform::toInt16;
    using platform::toInt32;
    EXPECT_EQ(toInt16("1.6"), 2);
    EXPECT_EQ(toInt16("1.4"), 1);
    EXPECT_EQ(toInt16("2.5"), 2);
    EXPECT_EQ(toInt16("3.5"), 4);
    EXPECT_EQ(toInt16("-2.5"), -2);
    EXPECT_EQ(toInt16("-3.5"), -4);
    EXPECT_EQ(toInt16("0.5"), 0);
    EXPECT_EQ(toInt16("2.5000001"), 3); // only an exact half goes to even
    EXPECT_EQ(toInt16("2.50000"), 2);
    EXPECT_EQ(toInt16(".5"), 0);
    EXPECT_EQ(toInt16("7."), 7);
    EXPECT_EQ(toInt16(" 7 "), 7);
    EXPECT_EQ(toInt16("\t+12"), 12);
    EXPECT_EQ(toInt16("007"), 7);
    EXPECT_EQ(toInt16("0.049"), 0);
    EXPECT_EQ(toInt16("1e2"), 100);
    EXPECT_EQ(toInt16("1.5E1"), 15);
    EXPECT_EQ(toInt16("25e-1"), 2);
    EXPECT_EQ(toInt16("35d-1"), 4);
    EXPECT_EQ(toInt16("1e-400"), 0);
    EXPECT_EQ(toInt16("-32768"), -32768);
    EXPECT_EQ(toInt16("32767"), 32767);
    EXPECT_EQ(toInt16("32767.4"), 32767);
    EXPECT_EQ(toInt16("-32768.5"), -32768); // halves to the even end, still in range
    EXPECT_EQ(toInt16("&H10"), 16);
    EXPECT_EQ(toInt16("&hff"), 255);
    EXPECT_EQ(toInt16("&HFFFF"), -1);
    EXPECT_EQ(toInt16("&H8000"), -32768);
    EXPECT_EQ(toInt16("&O17"), 15);

    EXPECT_EQ(toInt32("2147483647"), 2147483647);
    EXPECT_EQ(toInt32("-2147483648"), INT32_MIN);
    EXPECT_EQ(toInt32("2147483646.5"), 2147483646);
    EXPECT_EQ(toInt32("40000"), 40000);
    EXPECT_EQ(toInt32("&H10000"), 65536);
    EXPECT_EQ(toInt32("&HFFFFFFFF"), -1);
    EXPECT_EQ(toInt32("1.23456789e8"), 123456789);
}

TEST(Conversions, IntegersRaiseTypeMismatchForNoNumberAndOverflowOutOfRange) {
    using platform::err::Overflow;
    using platform::err::TypeMismatch;
    for (const char* text : {"", "   ", "abc", "1,5", "1.2.3", "+", "-", ".", "e5", "1e", "1e+",
                             "12abc", "1 2", "&H", "&HG", "&X10", "--1", "１２"}) {
        EXPECT_EQ(int16Error(text), TypeMismatch) << text;
        EXPECT_EQ(int32Error(text), TypeMismatch) << text;
    }
    for (const char* text :
         {"40000", "32767.5", "-32769", "-32768.6", "1e5", "&H10000", "99999999999999999999999"}) {
        EXPECT_EQ(int16Error(text), Overflow) << text;
    }
    for (const char* text : {"2147483648", "2147483647.5", "-2147483649", "1e10", "&H100000000"}) {
        EXPECT_EQ(int32Error(text), Overflow) << text;
    }
    EXPECT_EQ(int16Error("1e-99999999999999"), 0);
    EXPECT_EQ(int16Error("1e99999999999999"), Overflow);
}

TEST(Conversions, SingleParsesAndPrintsAsTheRuntimeDoes) {
    using platform::singleToText;
    using platform::toSingle;
    EXPECT_FLOAT_EQ(toSingle("1.5"), 1.5f);
    EXPECT_FLOAT_EQ(toSingle(" -0.25 "), -0.25f);
    EXPECT_FLOAT_EQ(toSingle("6e3"), 6000.0f);
    EXPECT_FLOAT_EQ(toSingle("0.1"), 0.1f);
    EXPECT_FLOAT_EQ(toSingle("&HFFFF"), -1.0f);
    EXPECT_FLOAT_EQ(toSingle("3.4e38"), 3.4e38f);
    EXPECT_EQ(toSingle("1e-60"), 0.0f);
    EXPECT_EQ(singleError("3.5e38"), platform::err::Overflow);
    EXPECT_EQ(singleError("-1e39"), platform::err::Overflow);
    EXPECT_EQ(singleError(""), platform::err::TypeMismatch);
    EXPECT_EQ(singleError("1.5x"), platform::err::TypeMismatch);

    EXPECT_EQ(singleToText(6000.0f), "6000");
    EXPECT_EQ(singleToText(1.5f), "1.5");
    EXPECT_EQ(singleToText(-0.25f), "-0.25");
    EXPECT_EQ(singleToText(0.1f), "0.1");
    EXPECT_EQ(singleToText(1.0f / 3.0f), "0.3333333");
    EXPECT_EQ(singleToText(1234567.0f), "1234567");
    EXPECT_EQ(singleToText(-0.0f), "0");
    EXPECT_EQ(singleToText(0.001f), "0.001");
    EXPECT_EQ(singleToText(12345678.0f), "1.234568E+07");
    // What is printed reads back as the same number.
    for (float v : {0.1f, 2.75f, -1234.567f, 1e-3f, 98765.43f}) {
        EXPECT_EQ(toSingle(singleToText(v)), v) << v;
    }
}

TEST(Int16Counter, CountsInRangeAndRaisesOverflowAtBothEnds) {
    Int16 n(32766);
    ++n;
    EXPECT_EQ(n.value(), 32767);
    EXPECT_EQ(errorOf([&] { return ++n; }), platform::err::Overflow);
    EXPECT_EQ(n.value(), 32767); // a failed step leaves the counter as it was

    Int16 m(-32767);
    --m;
    EXPECT_EQ(m.value(), -32768);
    EXPECT_EQ(errorOf([&] { return --m; }), platform::err::Overflow);

    Int16 k(100);
    k += 200;
    k -= 50;
    EXPECT_EQ(k.value(), 250);
    EXPECT_EQ((k + 5).value(), 255);
    EXPECT_EQ((k - 300).value(), -50);
    EXPECT_EQ(errorOf([&] { return k + 40000; }), platform::err::Overflow);
    EXPECT_EQ(errorOf([&] { return k -= INT32_MIN; }), platform::err::Overflow);
    EXPECT_EQ(errorOf([] { return Int16::checked(32768); }), platform::err::Overflow);
    EXPECT_EQ(errorOf([] { return Int16::checked(-32769); }), platform::err::Overflow);
    EXPECT_EQ(Int16::checked(-32768).value(), -32768);
}

TEST(DateTimeText, UsesTheJapaneseSystemFormats) {
    const QDateTime when(QDate(2026, 12, 7), QTime(9, 5, 3));
    EXPECT_EQ(platform::dateTimeText(when), "2026/12/07 9:05:03");
    EXPECT_EQ(platform::dateTimeText(QDateTime(QDate(2026, 1, 31), QTime(23, 59, 0))),
              "2026/01/31 23:59:00");
    EXPECT_EQ(platform::timeOfDayText(QTime(9, 5, 3)), "9:05:03");
    EXPECT_EQ(platform::timeOfDayText(QTime(0, 0, 0)), "0:00:00");
}
