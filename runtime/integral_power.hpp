#pragma once
// The power of a finite nonzero base to an integral exponent, exactly rounded, in integer
// arithmetic of as many 64-bit words as the rounding needs.

#include <cstdint>
#include <optional>
#include <vector>

#include "runtime/library_pow.hpp"
#include "runtime/uint128.hpp"

namespace runtime {

// x^n (or x^-n, when reciprocal) for a finite nonzero x and any n: the exact power rounded once
// to a 64-bit significand (ties to even). A result that the store to double takes beyond the
// double range is an OVERFLOW (an infinity); one below the least normal double an UNDERFLOW,
// whose default is the exact power rounded once to double (a subnormal or a zero).
PowResult integral_power(double x, std::uint64_t n, bool reciprocal);

// The same for an exponent of magnitude 2^64 or more: always even, and out of range unless
// |x| is 1.
PowResult huge_integral_power(double x, bool reciprocal);

namespace detail {

// A value of the wide computation: words (least significant first, the last one's top bit set)
// times 2^exponent.
struct WideValue {
    std::vector<std::uint64_t> words;
    std::int64_t exponent;
};

// A true value T rounded to nearest, ties to even, at the place of the `bits`-th bit (0 to 64)
// of an approximation V: significand * 2^exponent. When V is exact, T = V; otherwise
// V < T <= V + window units of V's last bit. Nothing when a midpoint between two neighbours
// may lie in that interval. A carry to 2^64 is given as 2^63 one binade up.
struct RoundedBits {
    std::uint64_t significand;
    std::int64_t exponent;
};
std::optional<RoundedBits> round_top_bits(const WideValue& v, int bits, bool inexact, u128 window);

} // namespace detail

} // namespace runtime
