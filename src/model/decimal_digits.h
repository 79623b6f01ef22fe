#pragma once

#include <string>

namespace velmora {

// A finite double seen as a decimal number of at most 15 significant digits:
// the value is 0.d1d2d3... x 10^(exponent + 1), i.e. the first digit stands at
// the power of ten `exponent`. Trailing zeros are dropped; zero is "0".
struct DecimalDigits {
    bool negative = false;
    std::string digits = "0";
    int exponent = 0;

    bool isZero() const { return digits == "0"; }
};

// The shortest text of at most 15 significant digits for x (x must be finite).
DecimalDigits SignificantDigits(double x);

// d rounded to `decimals` places after the separator, ties away from zero,
// decided on the decimal digits. `decimals` may be negative (tens, hundreds).
DecimalDigits RoundDecimal(const DecimalDigits& d, int decimals);

// The double nearest to the decimal number d.
double DecimalToDouble(const DecimalDigits& d);

// Fixed-point text with exactly `decimals` places (decimals >= 0) and a
// leading zero; `separator` stands between the integer and the fraction.
std::string FixedText(const DecimalDigits& d, int decimals, char separator = '.');

} // namespace velmora
