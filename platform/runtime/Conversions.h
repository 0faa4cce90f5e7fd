#pragma once
// Text to number conversions with the described runtime's rules, and the
// checked 16-bit counter the reader's counters and loop indexes use.
#include <QString>
#include <cstdint>

class QDateTime;
class QTime;

namespace platform {

// Blanks around the text are ignored; an optional sign, digits, an optional
// fraction and exponent are accepted, as are "&H" hexadecimal and "&O" octal
// forms. Rounds to the nearest integer, halves to even ("2.5" -> 2, "3.5" -> 4).
// Raises 13 when the text is no number (the empty text included), 6 when the
// rounded value is outside -32768..32767.
std::int16_t toInt16(const QString& text);
// The same rules into a 32-bit integer.
std::int32_t toInt32(const QString& text);
// Raises 13 when the text is no number, 6 when it is beyond single precision.
float toSingle(const QString& text);
// The decimal text of a single-precision number as the runtime prints it:
// integers without a fraction ("6000"), others with up to 7 significant digits.
QString singleToText(float value);

// A 16-bit signed counter that raises 6 instead of wrapping.
class Int16 {
public:
    constexpr Int16() = default;
    constexpr Int16(std::int16_t value) : value_(value) {} // NOLINT: counters read as numbers
    static Int16 checked(long long value);                 // raises 6 outside the range

    constexpr std::int16_t value() const { return value_; }
    constexpr operator std::int16_t() const { return value_; } // NOLINT

    Int16& operator++(); // raises 6 at 32767
    Int16& operator--(); // raises 6 at -32768
    Int16& operator+=(int delta);
    Int16& operator-=(int delta);
    friend Int16 operator+(Int16 a, int b) { return a += b; }
    friend Int16 operator-(Int16 a, int b) { return a -= b; }

private:
    std::int16_t value_ = 0;
};

// The current date and time as dateTimeText gives it, read from the clock on
// every call but formatted again only when the second changes: loops that
// stamp thousands of rows would otherwise spend most of their time formatting.
class CurrentDateTimeText {
public:
    const QString& now();

private:
    long long second_ = -1;
    QString text_;
};

// Date and time texts in the system formats of a Japanese desktop.
QString dateTimeText(const QDateTime& when); // "2026/12/07 9:05:03"
QString timeOfDayText(const QTime& when);    // "9:05:03"

} // namespace platform
