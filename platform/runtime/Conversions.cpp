#include "platform/runtime/Conversions.h"

#include "platform/runtime/RuntimeError.h"

#include <QDateTime>
#include <QTime>

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace platform {

namespace {

// A number as the scanner read it. Decimal numbers keep every digit so that
// rounding to an integer is exact; "&H" and "&O" literals are already integers.
struct ScannedNumber {
    bool isLiteral = false;      // "&H"/"&O" form
    std::int64_t literal = 0;    // its value, already sign-extended
    bool negative = false;       // decimal form: the sign
    std::string digits;          // significant digits, no leading zeros
    long long pointPosition = 0; // value = 0.digits * 10^pointPosition
};

bool isBlank(QChar c) {
    const char16_t u = c.unicode();
    return u == u' ' || u == u'\t' || u == u'\r' || u == u'\n';
}

int digitValue(QChar c, int base) {
    const char16_t u = c.unicode();
    int v = -1;
    if (u >= u'0' && u <= u'9') {
        v = u - u'0';
    } else if (u >= u'a' && u <= u'f') {
        v = u - u'a' + 10;
    } else if (u >= u'A' && u <= u'F') {
        v = u - u'A' + 10;
    }
    return v < base ? v : -1;
}

// "&H" and "&O" literals: up to 16 bits they are a 16-bit value, up to 32 bits
// a 32-bit value, so "&HFFFF" is -1 and "&H8000" is -32768, as the runtime
// reads them.
bool scanLiteral(QStringView s, ScannedNumber& out) {
    if (s.size() < 3 || s[0] != u'&') {
        return false;
    }
    const char16_t kind = s[1].toUpper().unicode();
    const int base = kind == u'H' ? 16 : kind == u'O' ? 8 : 0;
    if (base == 0) {
        raiseError(err::TypeMismatch);
    }
    std::uint64_t value = 0;
    for (qsizetype i = 2; i < s.size(); ++i) {
        const int d = digitValue(s[i], base);
        if (d < 0) {
            raiseError(err::TypeMismatch);
        }
        value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(d);
        if (value > 0xFFFFFFFFu) {
            raiseError(err::Overflow);
        }
    }
    out.isLiteral = true;
    if (value <= 0xFFFFu) {
        out.literal = static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
    } else {
        out.literal = static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
    }
    return true;
}

// Strict, locale-free scanner: [sign] digits [. digits] [(E|D) [sign] digits],
// with blanks around. Anything else is a type mismatch.
ScannedNumber scanNumber(const QString& text) {
    QStringView s(text);
    while (!s.isEmpty() && isBlank(s.front())) {
        s = s.mid(1);
    }
    while (!s.isEmpty() && isBlank(s.back())) {
        s.chop(1);
    }
    ScannedNumber out;
    if (scanLiteral(s, out)) {
        return out;
    }

    qsizetype i = 0;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) {
        out.negative = s[i] == u'-';
        ++i;
    }
    bool anyDigit = false;
    long long integerDigits = 0;
    for (; i < s.size() && digitValue(s[i], 10) >= 0; ++i) {
        anyDigit = true;
        if (out.digits.empty() && s[i] == u'0') {
            continue;
        }
        out.digits.push_back(static_cast<char>(s[i].unicode()));
        ++integerDigits;
    }
    long long leadingFractionZeros = 0;
    if (i < s.size() && s[i] == u'.') {
        ++i;
        for (; i < s.size() && digitValue(s[i], 10) >= 0; ++i) {
            anyDigit = true;
            if (out.digits.empty() && s[i] == u'0') {
                ++leadingFractionZeros;
                continue;
            }
            out.digits.push_back(static_cast<char>(s[i].unicode()));
        }
    }
    if (!anyDigit) {
        raiseError(err::TypeMismatch);
    }
    long long exponent = 0;
    if (i < s.size()) {
        const char16_t e = s[i].toUpper().unicode();
        if (e != u'E' && e != u'D') {
            raiseError(err::TypeMismatch);
        }
        ++i;
        bool negativeExponent = false;
        if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) {
            negativeExponent = s[i] == u'-';
            ++i;
        }
        bool anyExponentDigit = false;
        for (; i < s.size() && digitValue(s[i], 10) >= 0; ++i) {
            anyExponentDigit = true;
            // Beyond this every value is zero or overflows anyway; the cap keeps
            // the arithmetic from wrapping on absurdly long exponents.
            if (exponent < 1000000) {
                exponent = exponent * 10 + (s[i].unicode() - u'0');
            }
        }
        if (!anyExponentDigit || i != s.size()) {
            raiseError(err::TypeMismatch);
        }
        if (negativeExponent) {
            exponent = -exponent;
        }
    }
    if (i != s.size()) {
        raiseError(err::TypeMismatch);
    }
    while (!out.digits.empty() && out.digits.back() == '0') {
        out.digits.pop_back();
    }
    out.pointPosition = (integerDigits > 0 ? integerDigits : -leadingFractionZeros) + exponent;
    return out;
}

// Rounds to the nearest integer, halves to even, and checks the range.
std::int64_t roundToInteger(const ScannedNumber& n, std::int64_t low, std::int64_t high) {
    if (n.isLiteral) {
        if (n.literal < low || n.literal > high) {
            raiseError(err::Overflow);
        }
        return n.literal;
    }
    if (n.digits.empty()) {
        return 0;
    }
    // Nineteen digits still fit an unsigned 64-bit value; anything longer is far
    // outside every range asked for here.
    if (n.pointPosition > 19) {
        raiseError(err::Overflow);
    }
    std::uint64_t whole = 0;
    for (long long k = 0; k < n.pointPosition; ++k) {
        const auto index = static_cast<std::size_t>(k);
        const int d = index < n.digits.size() ? n.digits[index] - '0' : 0;
        whole = whole * 10 + static_cast<std::uint64_t>(d);
    }
    // The fraction is compared with one half, digit by digit.
    int firstFraction = 0;
    bool restNonZero = false;
    if (n.pointPosition >= 0) {
        const auto first = static_cast<std::size_t>(n.pointPosition);
        if (first < n.digits.size()) {
            firstFraction = n.digits[first] - '0';
            // Trailing zeros were removed, so any further digit is non-zero.
            restNonZero = first + 1 < n.digits.size();
        }
    } else {
        // 0.0...digits: the first fraction digit is zero, the value below one half.
        firstFraction = 0;
    }
    const bool roundUp = firstFraction > 5 || (firstFraction == 5 && restNonZero) ||
                         (firstFraction == 5 && !restNonZero && (whole % 2) == 1);
    if (roundUp) {
        ++whole;
    }
    const auto limit = static_cast<std::uint64_t>(n.negative ? -low : high);
    if (whole > limit) {
        raiseError(err::Overflow);
    }
    const auto value = static_cast<std::int64_t>(whole);
    return n.negative ? -value : value;
}

} // namespace

std::int16_t toInt16(const QString& text) {
    return static_cast<std::int16_t>(roundToInteger(scanNumber(text), -32768, 32767));
}

std::int32_t toInt32(const QString& text) {
    return static_cast<std::int32_t>(roundToInteger(scanNumber(text),
                                                    std::numeric_limits<std::int32_t>::min(),
                                                    std::numeric_limits<std::int32_t>::max()));
}

float toSingle(const QString& text) {
    const ScannedNumber n = scanNumber(text);
    if (n.isLiteral) {
        return static_cast<float>(n.literal);
    }
    if (n.digits.empty()) {
        return n.negative ? -0.0f : 0.0f;
    }
    // Outside these bounds the value is certainly beyond float or below its
    // smallest subnormal; inside them the exponent fits comfortably in text.
    if (n.pointPosition > 40) {
        raiseError(err::Overflow);
    }
    if (n.pointPosition < -50) {
        return n.negative ? -0.0f : 0.0f;
    }
    std::string normal = "0." + n.digits + "e" + std::to_string(n.pointPosition);
    float value = 0.0f;
    const auto [end, ec] = std::from_chars(normal.data(), normal.data() + normal.size(), value);
    if (ec == std::errc::result_out_of_range) {
        if (n.pointPosition > 0) {
            raiseError(err::Overflow);
        }
        value = 0.0f;
    } else if (ec != std::errc() || end != normal.data() + normal.size() || std::isinf(value)) {
        raiseError(err::Overflow);
    }
    return n.negative ? -value : value;
}

QString singleToText(float value) {
    if (value == 0.0f) {
        return QStringLiteral("0"); // the runtime never prints "-0"
    }
    if (std::isnan(value)) {
        return QStringLiteral("NaN");
    }
    if (std::isinf(value)) {
        return value > 0 ? QStringLiteral("Infinity") : QStringLiteral("-Infinity");
    }
    // Seven significant digits, trailing zeros dropped, an exponent only for very
    // large or very small magnitudes; the runtime writes the exponent as "E+07".
    char buffer[64];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 7);
    if (ec != std::errc()) {
        return QString();
    }
    QString out = QString::fromLatin1(buffer, end - buffer);
    out.replace(QLatin1Char('e'), QLatin1Char('E'));
    return out;
}

Int16 Int16::checked(long long value) {
    if (value < std::numeric_limits<std::int16_t>::min() ||
        value > std::numeric_limits<std::int16_t>::max()) {
        raiseError(err::Overflow);
    }
    return Int16(static_cast<std::int16_t>(value));
}

Int16& Int16::operator++() {
    return *this += 1;
}

Int16& Int16::operator--() {
    return *this -= 1;
}

Int16& Int16::operator+=(int delta) {
    *this = checked(static_cast<long long>(value_) + delta);
    return *this;
}

Int16& Int16::operator-=(int delta) {
    *this = checked(static_cast<long long>(value_) - delta);
    return *this;
}

QString dateTimeText(const QDateTime& when) {
    return when.toString(QStringLiteral("yyyy/MM/dd H:mm:ss"));
}

QString timeOfDayText(const QTime& when) {
    return when.toString(QStringLiteral("H:mm:ss"));
}

const QString& CurrentDateTimeText::now() {
    const long long second = QDateTime::currentSecsSinceEpoch();
    if (second != second_) {
        second_ = second;
        text_ = dateTimeText(QDateTime::currentDateTime());
    }
    return text_;
}

} // namespace platform
