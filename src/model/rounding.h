#pragma once

namespace velmora {

// x rounded to `decimals` places through its decimal text: x is first written
// with at most 15 significant digits, that text is rounded (ties away from
// zero) and the nearest double is returned. So 2.675 rounds to 2.68, although
// the binary value lies just below 2.675. Non-finite values are returned as
// they are.
//
// Where x lies clearly away from a tie at the wanted decimal the result is
// decided in binary; only near a tie is the decimal text written. Both ways
// give the same double for every x.
double RoundToPrecision(int decimals, double x);

// The same rounding, always through the decimal text: the reference the
// binary decision is checked against.
double RoundToPrecisionThroughText(int decimals, double x);

} // namespace velmora
