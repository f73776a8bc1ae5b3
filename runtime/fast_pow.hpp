#pragma once
// The power's fast path, inside the run-time: library_pow tries it first; the tests check its
// rounding decision alone.

#include <cstdint>
#include <optional>

#include "runtime/extended.hpp"

namespace runtime {

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

// The power of a finite nonzero base to an integral exponent of magnitude up to 4096, in 128-bit
// integer arithmetic with a bound on its error, rounded once to 64 bits. Gives nothing when that
// bound does not decide the rounding, or when the result is not a normal double below 2^1023
// (where an error class may apply): integral_power decides those. seen, if given, receives the
// value that was rounded.
std::optional<Extended> fast_pow(double x, double y, TruncatedPower* seen = nullptr);

} // namespace runtime
