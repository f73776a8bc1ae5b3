// The power's fast path (fast_pow.hpp): x^n and x^-n for |n| up to 4096 in 128-bit integer
// arithmetic, with a bound on what its truncations lose.
//
// Sections, in order:
//   128-bit values    Wide, and its truncating products and square
//   pieces            small powers in 64 bits, the 128-bit reciprocal, normalising
//   the power         the base's odd part, the exponent, the two ways of powering, the rounding
//   interface         rounds_up and fast_pow

#include "runtime/fast_pow.hpp"

#include <algorithm>
#include <bit>
#include <cstdint>

#include "runtime/binary_parts.hpp"
#include "runtime/bit_cast.hpp"
#include "runtime/uint128.hpp"

namespace runtime {

namespace {

// The helpers of the power's loops are always inlined, so that the loops keep their values in
// registers.

[[gnu::always_inline]] inline std::uint64_t high_half(u128 v) {
    return static_cast<std::uint64_t>(v >> 64);
}
[[gnu::always_inline]] inline std::uint64_t low_half(u128 v) {
    return static_cast<std::uint64_t>(v);
}

// A positive value m * 2^e held to 128 bits: m lies in [2^127, 2^128).
struct Wide {
    u128 m;
    std::int64_t e;
};

// The top 128 bits of high * 2^128 + rest, the product of two values of [2^127, 2^128), which
// lies in [2^254, 2^256), as a Wide of exponent e + 128; the bits dropped are or-ed into
// dropped. Without branches: shifting left by one bit is adding the value to itself.
[[gnu::always_inline]] inline Wide top_bits(u128 high, u128 rest, std::int64_t e, u128& dropped) {
    std::uint64_t top = high_half(high) >> 63;
    u128 shift = u128{top} - 1; // all ones when the top bit is clear
    dropped |= rest + (rest & shift);
    return {high + ((high + (rest >> 127)) & shift), e + 127 + static_cast<std::int64_t>(top)};
}

[[gnu::always_inline]] inline Wide multiply(const Wide& a, const Wide& b, u128& dropped) {
    u128 low = u128{low_half(a.m)} * low_half(b.m);
    u128 cross1 = u128{high_half(a.m)} * low_half(b.m);
    u128 cross0 = u128{low_half(a.m)} * high_half(b.m);
    u128 middle = u128{high_half(low)} + low_half(cross1) + low_half(cross0);
    u128 high = u128{high_half(a.m)} * high_half(b.m) + high_half(cross1) + high_half(cross0) +
                high_half(middle);
    return top_bits(high, (middle << 64) | low_half(low), a.e + b.e, dropped);
}

[[gnu::always_inline]] inline Wide square(const Wide& a, u128& dropped) {
    u128 low = u128{low_half(a.m)} * low_half(a.m);
    u128 cross = u128{high_half(a.m)} * low_half(a.m); // counted twice
    u128 middle = u128{high_half(low)} + 2 * u128{low_half(cross)};
    u128 high =
        u128{high_half(a.m)} * high_half(a.m) + 2 * u128{high_half(cross)} + high_half(middle);
    return top_bits(high, (middle << 64) | low_half(low), 2 * a.e, dropped);
}

// a * (b * 2^e) for b in [2^63, 2^64).
[[gnu::always_inline]] inline Wide multiply(const Wide& a, std::uint64_t b, std::int64_t e,
                                            u128& dropped) {
    u128 low = u128{low_half(a.m)} * b;
    u128 high = u128{high_half(a.m)} * b + high_half(low);
    return top_bits(high, u128{low_half(low)} << 64, a.e + e - 64, dropped);
}

// Exponents up to this magnitude take the fast path; larger ones keep a result inside double's
// range only for bases near 1, and go to integral_power.
constexpr std::uint64_t kFastExponentLimit = 4096;

constexpr std::uint64_t kTop = std::uint64_t{1} << 63;
constexpr std::uint64_t kFraction = (std::uint64_t{1} << 52) - 1; // a double's fraction field

// base^k, for base^k < 2^64.
std::uint64_t small_power(std::uint64_t base, std::uint64_t k) {
    std::uint64_t power = 1;
    for (; k != 0; k >>= 1) {
        if ((k & 1) != 0) power *= base;
        base *= base; // wraps after its last use
    }
    return power;
}

// 2^191 / s for s in (2^63, 2^64), truncated: in (2^127, 2^128), and less than 3 units below.
// 2^191 / s = 2^64 q + 2^64 r / s, where q and r are the quotient and remainder of 2^127 / s;
// as 2^64 / s = (q + r / s) / 2^63, the second term is q r / 2^63 plus r^2 / (s 2^63) < 2, and
// q r / 2^63 is taken truncated.
u128 reciprocal(std::uint64_t s) {
    u128 numerator = u128{1} << 127;
    auto q = static_cast<std::uint64_t>(numerator / s);
    auto r = static_cast<std::uint64_t>(numerator - u128{q} * s);
    return (u128{q} << 64) + ((u128{q} * r) >> 63);
}

// v * 2^e with v in [2^63, 2^64), for a nonzero v.
struct Normalized {
    std::uint64_t v;
    std::int64_t e;
};
Normalized normalize(std::uint64_t v, std::int64_t e) {
    int shift = std::countl_zero(v);
    return {v << shift, e - shift};
}

// y = n or y = -n (negative), n a whole number up to the limit; nothing for any other y.
struct IntegralExponent {
    std::uint64_t n;
    bool negative;
};
std::optional<IntegralExponent> integral_exponent(double y) {
    auto y_bits = runtime::bit_cast<std::uint64_t>(y);
    bool negative = (y_bits >> 63) != 0;
    if ((y_bits << 1) == 0) return IntegralExponent{0, negative};
    std::uint64_t y_field = (y_bits >> 52) & 0x7FF;
    if (y_field < 1023 || y_field >= 1075) return std::nullopt; // |y| < 1 or |y| >= 2^52
    std::uint64_t y_significand = (y_bits & kFraction) | (std::uint64_t{1} << 52);
    std::uint64_t fraction_bits = 1075 - y_field;
    if ((y_significand & ((std::uint64_t{1} << fraction_bits) - 1)) != 0)
        return std::nullopt; // not an integer
    std::uint64_t n = y_significand >> fraction_bits;
    if (n > kFastExponentLimit) return std::nullopt;
    return IntegralExponent{n, negative};
}

// The computed value V of a power, and the bits its truncations dropped, or-ed.
struct Computed {
    Wide value;
    u128 dropped;
};

// n = m 2^t + d (for x^n) or m 2^t - d (for x^-n) with d < 2^t; t is the least with
// n bits <= 2^(t + 6), one more if x^-m needs it.
struct SplitExponent {
    std::uint64_t m, d;
    int t;
};
SplitExponent split_exponent(std::uint64_t n, std::uint64_t bits, bool reciprocal_power) {
    int t = std::max(static_cast<int>(std::bit_width(n * bits - 1)) - 6, 0);
    std::uint64_t m = reciprocal_power ? (n + (std::uint64_t{1} << t) - 1) >> t : n >> t;
    if (bits * m > 64) { // only for x^-m, rounded up
        ++t;
        m = (n + (std::uint64_t{1} << t) - 1) >> t;
    }
    std::uint64_t d = reciprocal_power ? (m << t) - n : n - (m << t);
    return {m, d, t};
}

// (odd 2^e)^n, or its reciprocal, as (x^m)^(2^t) or (x^-m)^(2^t) times x^d, odd^m and odd^d
// being exact in 64 bits.
Computed by_short_powers(OddParts x, const SplitExponent& s, bool reciprocal_power) {
    Computed c{{}, 0};
    Normalized base = normalize(small_power(x.odd, s.m), static_cast<std::int64_t>(s.m) * x.e);
    Normalized factor = normalize(small_power(x.odd, s.d), static_cast<std::int64_t>(s.d) * x.e);
    if (reciprocal_power) {
        c.value = {reciprocal(base.v), -191 - base.e};
        c.dropped = 1; // never exact
    } else {
        c.value = {u128{base.v} << 64, base.e - 64};
    }
    for (int k = 0; k < s.t; ++k) c.value = square(c.value, c.dropped);
    if (s.d != 0) c.value = multiply(c.value, factor.v, factor.e, c.dropped);
    return c;
}

// (odd 2^e)^n, or its reciprocal, by binary powering: the squares of x, or of its reciprocal,
// multiplied in for the set bits of n.
Computed by_binary_powering(OddParts x, std::uint64_t n, bool reciprocal_power) {
    Computed c{{}, 0};
    Normalized s = normalize(x.odd, x.e);
    Wide base{u128{s.v} << 64, s.e - 64};
    if (reciprocal_power) {
        base = {reciprocal(s.v), -191 - s.e};
        c.dropped = 1;
    }
    c.value = base;
    for (int bit = static_cast<int>(std::bit_width(n)) - 2; bit >= 0; --bit) {
        c.value = square(c.value, c.dropped);
        if (((n >> bit) & 1) == 0) continue;
        c.value = reciprocal_power ? multiply(c.value, base, c.dropped)
                                   : multiply(c.value, s.v, s.e, c.dropped);
    }
    return c;
}

// V rounded to 64 bits, when the bound decides the rounding and the result is a normal double
// below 2^1023 (no error class applies); seen, if given, receives V.
std::optional<Extended> rounded(const Computed& c, std::uint64_t n, bool negative,
                                TruncatedPower* seen) {
    std::uint64_t high = high_half(c.value.m);
    std::uint64_t low = low_half(c.value.m);
    const TruncatedPower truncated{high, low, n, c.dropped != 0};
    if (seen != nullptr) *seen = truncated;
    const std::optional<bool> up = rounds_up(truncated);
    if (!up) return std::nullopt;
    std::int64_t exponent = c.value.e + 64; // of the 64-bit significand
    high += *up ? 1u : 0u;
    if (high == 0) { // carried to 2^64
        high = kTop;
        ++exponent;
    }
    if (exponent + 63 < -1022 || exponent + 63 > 1022) return std::nullopt;
    return Extended::finite(negative, high, exponent);
}

} // namespace

std::optional<bool> rounds_up(const TruncatedPower& v) {
    // A midpoint in [V, V + 64n] (the difference wraps round when low is past the midpoint).
    if (v.inexact && kTop - v.low <= 64 * v.n) return std::nullopt;
    return (v.low > kTop) | ((v.low == kTop) & ((v.high & 1) != 0));
}

// x^n in 128-bit truncating multiplications, and x^-n from a 128-bit reciprocal. Each product
// rounds towards zero and loses less than 2^-127 of its result (which is at least 2^127 units);
// the reciprocal is below the true one by less than 3 units, 3 such losses. So the computed
// value V and the true power P satisfy V <= P <= V (1 + 2^-127)^c, c being the number of losses
// weighted by how often their result enters the power; c < 16n below, and P - V is less than 4c
// units of V's last bit. Unless that interval holds a midpoint between two 64-bit neighbours,
// P rounds as V does; otherwise the call goes to integral_power. When no nonzero bit was dropped,
// V is exact and a tie is rounded to even.
//
// |x| = odd * 2^e with odd below 2^bits. When odd's powers are short, by_short_powers: c <= 2^t
// or c <= 4 2^t, and 2^t < 4n. Otherwise by_binary_powering: c < n, or c < 4n.
std::optional<Extended> fast_pow(double x, double y, TruncatedPower* seen) {
    auto x_bits = runtime::bit_cast<std::uint64_t>(x);
    std::uint64_t x_field = (x_bits >> 52) & 0x7FF;
    if (x_field == 0x7FF || (x_bits << 1) == 0) return std::nullopt; // NaN, infinite, zero
    const std::optional<IntegralExponent> exponent = integral_exponent(y);
    if (!exponent) return std::nullopt;
    const std::uint64_t n = exponent->n;
    const bool reciprocal_power = exponent->negative;
    if (n == 0) return Extended::finite(false, kTop, -63);
    const bool negative = (x_bits >> 63) != 0 && (n & 1) != 0;

    const OddParts odd = odd_parts(x);
    if (odd.odd == 1) { // a power of two: exact
        auto signed_n = static_cast<std::int64_t>(n);
        std::int64_t e = (reciprocal_power ? -signed_n : signed_n) * odd.e;
        if (e < -1022 || e > 1022) return std::nullopt;
        return Extended::finite(negative, kTop, e - 63);
    }
    auto bits = static_cast<std::uint64_t>(std::bit_width(odd.odd));
    const SplitExponent split = split_exponent(n, bits, reciprocal_power);
    const bool short_powers = bits * split.m <= 64 && bits * split.d <= 64;
    return rounded(short_powers ? by_short_powers(odd, split, reciprocal_power)
                                : by_binary_powering(odd, n, reciprocal_power),
                   n, negative, seen);
}

} // namespace runtime
