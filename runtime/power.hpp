#pragma once
// The power operation x**y.

#include <cstdint>
#include <optional>

#include "runtime/extended.hpp"
#include "runtime/integral_power.hpp"

namespace runtime {

// The math library's pow: the exact power rounded once to a 64-bit significand (to nearest,
// ties to even), or the error class with the default result for the error hook.
//   DOMAIN: a NaN argument; a base of magnitude 1 with an infinite exponent; a negative base
//           with a finite non-integral exponent (default NaN);
//   SING: a zero base with a negative exponent (default an infinity);
//   OVERFLOW: a result from finite arguments that rounds beyond the double range (default an
//             infinity);
//   UNDERFLOW: a result from finite arguments below the least normal double (default the exact
//              power rounded once to double: a subnormal or zero).
// Other special arguments give their usual results (an infinite base or exponent, a zero base
// with a non-negative exponent). An integral exponent is computed exactly in integer arithmetic;
// a non-integral one by the platform's math library in its widest floating type, rounded once to
// 64 bits (the program never takes such a power).
PowResult library_pow(double x, double y);

// The value that the fast path rounds: V = high 2^64 + low in units of its last bit, for an
// exponent of magnitude n. Inexact when bits were dropped on the way: the true power then lies
// above V by less than 64n units; otherwise it is V.
struct TruncatedPower {
    std::uint64_t high, low, n;
    bool inexact;
};

// Whether V rounds up to 64 bits (ties to even); nothing when a midpoint between two 64-bit
// neighbours may lie between V and the true power.
std::optional<bool> rounds_up(const TruncatedPower& v);

// The fast path of library_pow: the power of a finite nonzero base to an integral exponent of
// magnitude up to 4096, in 128-bit integer arithmetic with a bound on its error. Gives nothing
// when that bound does not decide the rounding, or when the result is not a normal double below
// 2^1023 (where an error class may apply): integral_power decides those. seen, if given,
// receives the value that was rounded.
std::optional<Extended> fast_pow(double x, double y, TruncatedPower* seen = nullptr);

// x**y as the program uses it. An error class goes to on_library_error (math_fault.hpp):
// UNDERFLOW is passed over with its default result, every other class ends the run with its
// report ("**: DOMAIN error", ...). A result without error that was computed before for the same
// arguments is taken from a small fixed table.
Extended power(double x, double y);

} // namespace runtime
