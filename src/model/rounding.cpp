#include "rounding.h"

#include "decimal_digits.h"

#include <array>
#include <cmath>

namespace velmora {

namespace {

// 10^0 … 10^22: every one of them is a double exactly.
constexpr std::array<double, 23> PowersOfTen = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// Beyond this the scaled value may have no fractional bits left to decide on.
constexpr double LargestScaled = 1e15;

// How far the scaled value may lie from the one the decimal text stands for,
// relative to its size: the 15-digit text is within 5e-15 of x relatively,
// the product x·10^decimals within 2^-53; rounded up generously.
constexpr double TextAndProductError = 1e-14;

} // namespace

double RoundToPrecisionThroughText(int decimals, double x) {
    if (!std::isfinite(x))
        return x;
    return DecimalToDouble(RoundDecimal(SignificantDigits(x), decimals));
}

double RoundToPrecision(int decimals, double x) {
    if (decimals < 0 || decimals >= static_cast<int>(PowersOfTen.size()) || !std::isfinite(x))
        return RoundToPrecisionThroughText(decimals, x);
    const double scale = PowersOfTen[static_cast<std::size_t>(decimals)];
    const double scaled = std::abs(x) * scale;
    if (!(scaled < LargestScaled))
        return RoundToPrecisionThroughText(decimals, x);
    const double whole = std::floor(scaled);
    const double fraction = scaled - whole; // exact: both below 2^53
    // Near k + ½ the 15-digit text may fall on either side of the tie, or on
    // it: only the text decides there.
    if (std::abs(fraction - 0.5) <= scaled * TextAndProductError)
        return RoundToPrecisionThroughText(decimals, x);
    const double units = fraction > 0.5 ? whole + 1 : whole;
    if (units == 0)
        return 0.0; // the text rounds to "0", which has no sign
    // units and scale are exact, so the quotient is the double nearest to
    // units · 10^-decimals, as the text's value would be read.
    const double rounded = units / scale;
    return x < 0 ? -rounded : rounded;
}

} // namespace velmora
