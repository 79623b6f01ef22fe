#include "moment_distributions.h"

#include "math_policy.h"

#include <boost/math/constants/constants.hpp>
#include <boost/math/distributions/exponential.hpp>
#include <boost/math/distributions/extreme_value.hpp>

#include <cmath>

namespace velmora {

double GumbelDepth(double mean, double standardDeviation, double exceedance) {
    using namespace boost::math;
    const double scale = std::sqrt(6.0) * standardDeviation / constants::pi<double>();
    const double location = mean - constants::euler<double>() * scale;
    const extreme_value_distribution<double, NoExceptionPolicy> gumbel(location, scale);
    return quantile(complement(gumbel, exceedance));
}

double ExponentialDepth(double mean, double standardDeviation, double exceedance) {
    using namespace boost::math;
    const exponential_distribution<double, NoExceptionPolicy> exponential(1 / standardDeviation);
    return mean - standardDeviation + quantile(complement(exponential, exceedance));
}

} // namespace velmora
