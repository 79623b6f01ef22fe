#pragma once

namespace velmora {

// The depth exceeded with probability `exceedance` (1/P for P years) by a
// distribution whose parameters come from the sample's mean and standard
// deviation (the method of moments).

// Gumbel's (extreme value type I): scale √6·S/π, location mean − γ·scale.
double GumbelDepth(double mean, double standardDeviation, double exceedance);

// The exponential distribution shifted to the sample: scale S, lower bound
// mean − S.
double ExponentialDepth(double mean, double standardDeviation, double exceedance);

} // namespace velmora
