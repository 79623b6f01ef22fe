#pragma once

// Boost.Math's functions called so that a value out of their domain gives NaN
// or infinity instead of an exception: nothing below the window throws, and
// the callers check what comes back.

#include <boost/math/policies/policy.hpp>

namespace velmora {

using NoExceptionPolicy = boost::math::policies::policy<
    boost::math::policies::domain_error<boost::math::policies::ignore_error>,
    boost::math::policies::pole_error<boost::math::policies::ignore_error>,
    boost::math::policies::overflow_error<boost::math::policies::ignore_error>,
    boost::math::policies::evaluation_error<boost::math::policies::ignore_error>,
    boost::math::policies::rounding_error<boost::math::policies::ignore_error>>;

} // namespace velmora
