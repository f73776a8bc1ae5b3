#pragma once
// A double's binary parts, read from its bits.

#include <bit>
#include <cstdint>

#include "runtime/bit_cast.hpp"

namespace runtime {

// |x| = m * 2^e for a finite x: the 52 stored bits with the hidden one, or alone with the
// least exponent for a subnormal or a zero.
struct BinaryParts {
    std::uint64_t m;
    int e;
};
constexpr BinaryParts binary_parts(double x) {
    const auto bits = bit_cast<std::uint64_t>(x);
    const auto biased = static_cast<int>(bits >> 52 & 0x7FF);
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    if (biased == 0) return {fraction, -1074};
    return {fraction | std::uint64_t{1} << 52, biased - 1075};
}

// |x| = odd * 2^e with odd odd, for a finite non-zero x.
struct OddParts {
    std::uint64_t odd;
    std::int64_t e;
};
constexpr OddParts odd_parts(double x) {
    const BinaryParts p = binary_parts(x);
    const int zeros = std::countr_zero(p.m);
    return {p.m >> zeros, p.e + zeros};
}

} // namespace runtime
