#include "runtime/power.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>

#include "runtime/float_environment.hpp"
#include "runtime/math_fault.hpp"
#include "runtime/uint128.hpp"

namespace runtime {

namespace {

// The classes decided by the arguments alone.
std::optional<MathCode> argument_error(double x, double y) {
    if (std::isnan(x) || std::isnan(y)) return MathCode::Domain;
    if (std::isinf(y) && std::fabs(x) == 1.0) return MathCode::Domain;
    if (std::signbit(x) && x != 0.0 && std::isfinite(y) && std::trunc(y) != y)
        return MathCode::Domain;
    if (x == 0.0 && std::signbit(y) && y != 0.0) return MathCode::Singularity;
    return std::nullopt;
}

// x**y for the special arguments: a zero or infinite one, or a domain error or pole.
Extended special_power(double x, double y, std::optional<MathCode> error) {
    if (error == MathCode::Domain) return Extended::nan();
    if (y == 0.0) return Extended::finite(false, 1, 0);
    bool odd_exponent = std::fabs(y) < 0x1p53 && std::trunc(y) == y && std::fmod(y, 2.0) != 0.0;
    bool negative = std::signbit(x) && odd_exponent;
    bool large;
    if (x == 0.0)
        large = y < 0.0;
    else if (std::isinf(x))
        large = y > 0.0;
    else // an infinite exponent
        large = (std::fabs(x) > 1.0) == (y > 0.0);
    return large ? Extended::infinity(negative) : Extended::finite(negative, 0, 0);
}

// x**y for a finite positive x and a non-integral finite y, by the platform's math library in
// its widest floating type, rounded once to 64 bits.
PowResult fractional_power(double x, double y) {
    MaskedFloatScope masked;
    const long double power = std::pow(static_cast<long double>(x), static_cast<long double>(y));
    if (std::isinf(power)) return {Extended::infinity(false), MathCode::RangeOverflow};
    if (power == 0.0L) return {Extended::finite(false, 0, 0), MathCode::RangeUnderflow};
    int exponent = 0;
    long double scaled = std::nearbyint(std::ldexp(std::frexp(power, &exponent), 64));
    Extended value =
        scaled == 0x1p64L
            ? Extended::finite(false, std::uint64_t{1} << 63, exponent - 63)
            : Extended::finite(false, static_cast<std::uint64_t>(scaled), exponent - 64);
    if (value.exponent() + 63 >= 1023 && round_to_double(value).overflow)
        return {Extended::infinity(false), MathCode::RangeOverflow};
    if (value.exponent() + 63 < -1022)
        return {Extended::from_double(static_cast<double>(power)), MathCode::RangeUnderflow};
    return {value, {}};
}

} // namespace

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
// P rounds as V does; otherwise the call goes to integral_power. When no nonzero bit was dropped, V
// is exact and a tie is rounded to even.
//
// |x| = odd * 2^e with odd below 2^bits. When odd's powers are short, n = m 2^t + d (for x^n) or
// m 2^t - d (for x^-n) with d < 2^t and bits m, bits d <= 64, so that odd^m and odd^d are exact
// in 64 bits: the power is (x^m)^(2^t) or (x^-m)^(2^t), times x^d, with c <= 2^t or c <= 4 2^t.
// t is the least with n bits <= 2^(t + 6), one more if x^-m needs it: 2^t < 4n. Otherwise
// binary powering multiplies the squares of x, or of the reciprocal, for the set bits of n:
// c < n, or c < 4n.
std::optional<Extended> fast_pow(double x, double y, TruncatedPower* seen) {
    auto x_bits = std::bit_cast<std::uint64_t>(x);
    auto y_bits = std::bit_cast<std::uint64_t>(y);
    std::uint64_t x_field = (x_bits >> 52) & 0x7FF;
    std::uint64_t y_field = (y_bits >> 52) & 0x7FF;
    constexpr std::uint64_t kFraction = (std::uint64_t{1} << 52) - 1;
    if (x_field == 0x7FF || (x_bits << 1) == 0) return std::nullopt; // NaN, infinite, zero

    // y = n, an integer of magnitude at most the limit.
    std::uint64_t n = 0;
    if ((y_bits << 1) != 0) {
        if (y_field < 1023 || y_field >= 1075) return std::nullopt; // |y| < 1 or |y| >= 2^52
        std::uint64_t y_significand = (y_bits & kFraction) | (std::uint64_t{1} << 52);
        std::uint64_t fraction_bits = 1075 - y_field;
        if ((y_significand & ((std::uint64_t{1} << fraction_bits) - 1)) != 0)
            return std::nullopt; // not an integer
        n = y_significand >> fraction_bits;
        if (n > kFastExponentLimit) return std::nullopt;
    }
    bool reciprocal_power = (y_bits >> 63) != 0;
    bool negative = (x_bits >> 63) != 0 && (n & 1) != 0;
    if (n == 0) return Extended::finite(false, kTop, -63);

    std::uint64_t odd = (x_bits & kFraction) | (x_field != 0 ? std::uint64_t{1} << 52 : 0);
    std::int64_t e = static_cast<std::int64_t>(x_field != 0 ? x_field : 1) - 1075;
    int zeros = std::countr_zero(odd);
    odd >>= zeros;
    e += zeros;
    auto signed_n = static_cast<std::int64_t>(n);
    if (odd == 1) { // a power of two: exact
        std::int64_t exponent = (reciprocal_power ? -signed_n : signed_n) * e;
        if (exponent < -1022 || exponent > 1022) return std::nullopt;
        return Extended::finite(negative, kTop, exponent - 63);
    }

    auto bits = static_cast<std::uint64_t>(std::bit_width(odd));
    int t = std::max(static_cast<int>(std::bit_width(n * bits - 1)) - 6, 0);
    std::uint64_t m = reciprocal_power ? (n + (std::uint64_t{1} << t) - 1) >> t : n >> t;
    if (bits * m > 64) { // only for x^-m, rounded up
        ++t;
        m = (n + (std::uint64_t{1} << t) - 1) >> t;
    }
    std::uint64_t d = reciprocal_power ? (m << t) - n : n - (m << t);
    Wide result{};
    u128 dropped = 0; // the bits dropped by the truncations, or-ed
    if (bits * m <= 64 && bits * d <= 64) {
        auto signed_m = static_cast<std::int64_t>(m);
        auto signed_d = static_cast<std::int64_t>(d);
        Normalized base = normalize(small_power(odd, m), signed_m * e);
        Normalized factor = normalize(small_power(odd, d), signed_d * e);
        if (reciprocal_power) {
            result = {reciprocal(base.v), -191 - base.e};
            dropped = 1; // never exact
        } else {
            result = {u128{base.v} << 64, base.e - 64};
        }
        for (int k = 0; k < t; ++k) result = square(result, dropped);
        if (d != 0) result = multiply(result, factor.v, factor.e, dropped);
    } else {
        Normalized s = normalize(odd, e);
        Wide base{u128{s.v} << 64, s.e - 64};
        if (reciprocal_power) {
            base = {reciprocal(s.v), -191 - s.e};
            dropped = 1;
        }
        result = base;
        for (int bit = static_cast<int>(std::bit_width(n)) - 2; bit >= 0; --bit) {
            result = square(result, dropped);
            if (((n >> bit) & 1) == 0) continue;
            result = reciprocal_power ? multiply(result, base, dropped)
                                      : multiply(result, s.v, s.e, dropped);
        }
    }

    std::uint64_t high = high_half(result.m);
    std::uint64_t low = low_half(result.m);
    const TruncatedPower truncated{high, low, n, dropped != 0};
    if (seen != nullptr) *seen = truncated;
    const std::optional<bool> up = rounds_up(truncated);
    if (!up) return std::nullopt;
    std::int64_t exponent = result.e + 64; // of the 64-bit significand
    high += *up ? 1u : 0u;
    if (high == 0) { // carried to 2^64
        high = kTop;
        ++exponent;
    }
    // Normal and below 2^1023 (the top bit's exponent from -1022 to 1022): no error class
    // applies.
    if (exponent + 63 < -1022 || exponent + 63 > 1022) return std::nullopt;
    return Extended::finite(negative, high, exponent);
}

PowResult library_pow(double x, double y) {
    if (std::optional<MathCode> error = argument_error(x, y))
        return {special_power(x, y, error), error};
    if (!std::isfinite(x) || !std::isfinite(y) || x == 0.0) return {special_power(x, y, {}), {}};
    if (std::optional<Extended> power = fast_pow(x, y)) return {*power, {}};
    if (std::trunc(y) != y) return fractional_power(x, y);
    const double magnitude = std::fabs(y);
    if (magnitude >= 0x1p64) return huge_integral_power(x, std::signbit(y));
    return integral_power(x, static_cast<std::uint64_t>(magnitude), std::signbit(y));
}

namespace {

// The powers already computed, by their arguments' bits. The power is a pure function, so a
// repeated call takes the bits computed before: the program's matrices and right-hand sides ask
// for the same hundred and fifty powers at every order. A fixed table with a few probes from a
// hashed slot; arguments that find no room are computed every time.
struct MemoSlot {
    std::uint64_t x_bits, y_bits;
    Extended power;
    bool filled;
};
constexpr int kMemoBits = 8;
constexpr std::size_t kMemoSlots = std::size_t{1} << kMemoBits;
constexpr std::size_t kMemoProbes = 8;
std::array<MemoSlot, kMemoSlots> memo{};

// The slot that holds the power of x and y, or the empty one to put it in; null when neither
// is within reach.
MemoSlot* memo_slot(double x, double y) {
    auto x_bits = std::bit_cast<std::uint64_t>(x);
    auto y_bits = std::bit_cast<std::uint64_t>(y);
    // The top bits of a multiplicative hash; the arguments' own low bits are mostly zero.
    std::size_t start = ((x_bits ^ std::rotl(y_bits, 32)) * 0x9E3779B97F4A7C15) >> (64 - kMemoBits);
    for (std::size_t probe = 0; probe < kMemoProbes; ++probe) {
        MemoSlot& slot = memo[(start + probe) % kMemoSlots];
        if (!slot.filled || (slot.x_bits == x_bits && slot.y_bits == y_bits)) return &slot;
    }
    return nullptr;
}

} // namespace

Extended power(double x, double y) {
    MemoSlot* slot = memo_slot(x, y);
    if (slot != nullptr && slot->filled) return slot->power;
    PowResult power = library_pow(x, y);
    if (power.error) {
        // At every call: only an UNDERFLOW comes back, with its default result.
        on_library_error(*power.error, "pow");
        return power.value;
    }
    if (slot != nullptr)
        *slot = {std::bit_cast<std::uint64_t>(x), std::bit_cast<std::uint64_t>(y), power.value,
                 true};
    return power.value;
}

} // namespace runtime
