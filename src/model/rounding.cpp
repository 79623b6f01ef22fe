#include "rounding.h"

#include "decimal_digits.h"

#include <cmath>

namespace velmora {

double RoundToPrecision(int decimals, double x) {
    if (!std::isfinite(x))
        return x;
    return DecimalToDouble(RoundDecimal(SignificantDigits(x), decimals));
}

} // namespace velmora
