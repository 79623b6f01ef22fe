#include "decimal_digits.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>

namespace velmora {

namespace {

void TrimTrailingZeros(DecimalDigits& d) {
    const auto last = d.digits.find_last_not_of('0');
    if (last == std::string::npos) {
        d = DecimalDigits{};
        return;
    }
    d.digits.erase(last + 1);
}

// The digit standing at the power of ten `position`, '0' outside the digits.
char DigitAt(const DecimalDigits& d, int position) {
    const int index = d.exponent - position;
    if (index < 0 || index >= static_cast<int>(d.digits.size()))
        return '0';
    return d.digits[static_cast<std::size_t>(index)];
}

} // namespace

DecimalDigits SignificantDigits(double x) {
    // Scientific form with 14 digits after the point: 15 significant digits,
    // correctly rounded, e.g. "-1.90802280100000e-01".
    char buffer[48];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::scientific, 14);
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));

    DecimalDigits d;
    std::size_t pos = 0;
    if (text[pos] == '-') {
        d.negative = true;
        ++pos;
    }
    d.digits.clear();
    const auto e = text.find('e');
    for (std::size_t i = pos; i < e; ++i)
        if (text[i] != '.')
            d.digits.push_back(text[i]);
    d.exponent = std::atoi(std::string(text.substr(e + 1)).c_str());
    TrimTrailingZeros(d);
    return d;
}

DecimalDigits RoundDecimal(const DecimalDigits& d, int decimals) {
    const int kept = d.exponent + decimals + 1; // digits at positions >= -decimals
    if (kept >= static_cast<int>(d.digits.size()))
        return d;
    if (kept < 0)
        return DecimalDigits{};

    DecimalDigits rounded = d;
    // A leading 0 takes the carry when the rounding runs through all nines.
    rounded.digits.assign(1, '0');
    rounded.digits.append(d.digits, 0, static_cast<std::size_t>(kept));
    rounded.exponent = d.exponent + 1;
    if (d.digits[static_cast<std::size_t>(kept)] >= '5') {
        std::size_t i = rounded.digits.size();
        while (i-- > 0) {
            if (rounded.digits[i] == '9') {
                rounded.digits[i] = '0';
            } else {
                ++rounded.digits[i];
                break;
            }
        }
    }
    if (rounded.digits[0] == '0') {
        rounded.digits.erase(0, 1);
        rounded.exponent -= 1;
    }
    TrimTrailingZeros(rounded);
    if (rounded.isZero())
        rounded.negative = false;
    return rounded;
}

double DecimalToDouble(const DecimalDigits& d) {
    // "-ddd…e±x" in a buffer of its own: this runs once a minute when the
    // displayed values are summed, so it must not allocate.
    char text[48];
    char* end = text;
    if (d.negative)
        *end++ = '-';
    end = std::copy(d.digits.begin(), d.digits.end(), end);
    *end++ = 'e';
    end = std::to_chars(end, text + sizeof text, d.exponent - static_cast<int>(d.digits.size()) + 1)
              .ptr;
    double value = 0.0;
    std::from_chars(text, end, value);
    return value;
}

std::string FixedText(const DecimalDigits& d, int decimals, char separator) {
    std::string text;
    if (d.negative && !d.isZero())
        text += '-';
    for (int position = d.exponent > 0 ? d.exponent : 0; position >= 0; --position)
        text += DigitAt(d, position);
    if (decimals > 0) {
        text += separator;
        for (int position = -1; position >= -decimals; --position)
            text += DigitAt(d, position);
    }
    return text;
}

} // namespace velmora
