#include "number_text.h"

#include "decimal_digits.h"

#include <QLocale>

#include <charconv>
#include <cmath>
#include <string>

namespace velmora {

namespace {

QString WithSeparator(const std::string& text, QChar decimalSeparator) {
    QString result = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    if (decimalSeparator != QLatin1Char('.'))
        result.replace(QLatin1Char('.'), decimalSeparator);
    return result;
}

QString NonFiniteText(double x) {
    if (std::isnan(x))
        return QStringLiteral("NAN");
    return x < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

bool IsAsciiDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

int HexDigitValue(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

} // namespace

QChar UserDecimalSeparator() {
    const QString point = QLocale().decimalPoint();
    return point.isEmpty() ? QLatin1Char('.') : point.front();
}

QString GeneralNumberText(double x, QChar decimalSeparator) {
    if (!std::isfinite(x))
        return NonFiniteText(x);
    const DecimalDigits d = SignificantDigits(x);
    if (d.isZero())
        return QStringLiteral("0");

    std::string text = d.negative ? "-" : "";
    const int digitCount = static_cast<int>(d.digits.size());
    if (d.exponent < -4 || d.exponent >= 15) {
        text += d.digits[0];
        if (digitCount > 1) {
            text += '.';
            text += d.digits.substr(1);
        }
        text += 'E';
        text += std::to_string(d.exponent);
    } else {
        const int decimals = digitCount - 1 - d.exponent;
        DecimalDigits magnitude = d;
        magnitude.negative = false;
        text += FixedText(magnitude, decimals > 0 ? decimals : 0);
    }
    return WithSeparator(text, decimalSeparator);
}

QString FixedDecimalsText(double x, int decimals, QChar decimalSeparator) {
    if (!std::isfinite(x))
        return NonFiniteText(x);
    if (decimals < 0)
        decimals = 0;
    return WithSeparator(FixedText(RoundDecimal(SignificantDigits(x), decimals), decimals),
                         decimalSeparator);
}

std::optional<double> ParseDecimalNumber(QStringView text, QChar decimalSeparator) {
    text = text.trimmed();
    std::string ascii;
    qsizetype i = 0;
    const qsizetype size = text.size();
    if (i < size && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        if (text[i] == QLatin1Char('-'))
            ascii += '-';
        ++i;
    }
    int mantissaDigits = 0;
    bool separatorSeen = false;
    for (; i < size; ++i) {
        const QChar c = text[i];
        if (IsAsciiDigit(c)) {
            ascii += static_cast<char>(c.unicode());
            ++mantissaDigits;
        } else if (c == decimalSeparator && !separatorSeen) {
            ascii += '.';
            separatorSeen = true;
        } else {
            break;
        }
    }
    if (mantissaDigits == 0)
        return std::nullopt;
    if (i < size && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        ascii += 'e';
        ++i;
        if (i < size && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
            ascii += static_cast<char>(text[i].unicode());
            ++i;
        }
        int exponentDigits = 0;
        for (; i < size && IsAsciiDigit(text[i]); ++i, ++exponentDigits)
            ascii += static_cast<char>(text[i].unicode());
        if (exponentDigits == 0)
            return std::nullopt;
    }
    if (i != size)
        return std::nullopt;

    double value = 0.0;
    const auto result = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (result.ec != std::errc() || result.ptr != ascii.data() + ascii.size())
        return std::nullopt;
    return value;
}

std::optional<std::int32_t> ParseInteger(QStringView text) {
    qsizetype i = 0;
    const qsizetype size = text.size();
    while (i < size && text[i].isSpace())
        ++i;
    bool negative = false;
    if (i < size && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    bool hex = false;
    if (i < size && text[i] == QLatin1Char('$')) {
        hex = true;
        ++i;
    } else if (i + 1 < size && text[i] == QLatin1Char('0') &&
               (text[i + 1] == QLatin1Char('x') || text[i + 1] == QLatin1Char('X'))) {
        hex = true;
        i += 2;
    }
    if (i == size)
        return std::nullopt;

    const std::uint64_t limit = hex ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
    std::uint64_t magnitude = 0;
    for (; i < size; ++i) {
        const int digit =
            hex ? HexDigitValue(text[i]) : (IsAsciiDigit(text[i]) ? text[i].unicode() - u'0' : -1);
        if (digit < 0)
            return std::nullopt;
        magnitude = magnitude * (hex ? 16 : 10) + static_cast<std::uint64_t>(digit);
        if (magnitude > limit)
            return std::nullopt;
    }
    const auto bits = static_cast<std::uint32_t>(negative ? 0u - magnitude : magnitude);
    return static_cast<std::int32_t>(bits);
}

} // namespace velmora
