#include "runtime/power.hpp"

#include <bit>
#include <cmath>
#include <cstdint>

#include "runtime/math_error.hpp"
#include "runtime/mpfr_support.hpp"

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

// The least normal double is 2^-1022 = 0.1b * 2^-1021; anything of exponent -1022 or below
// lies under it.
constexpr mpfr_exp_t kLeastNormalExp = -1021;
// Any value of exponent 1024 or more lies at or beyond 2^1023 and may round to infinity.
constexpr mpfr_exp_t kNearOverflowExp = 1024;

} // namespace

PowResult library_pow_reference(double x, double y) {
    MaskedFloatScope masked;
    MpfrNumber base(kExtendedBits);
    MpfrNumber exponent(kExtendedBits);
    MpfrNumber power(kExtendedBits);
    set_mpfr(base.get(), Extended::from_double(x));
    set_mpfr(exponent.get(), Extended::from_double(y));
    mpfr_pow(power.get(), base.get(), exponent.get(), MPFR_RNDN);
    if (std::optional<MathCode> error = argument_error(x, y)) {
        // A pole keeps its signed infinity; a domain error has no value.
        return {*error == MathCode::Domain ? Extended::nan() : to_extended(power.get()), error};
    }
    if (!std::isfinite(x) || !std::isfinite(y) || x == 0.0) return {to_extended(power.get()), {}};

    // MPFR's own range is exceeded only far beyond double's: an infinity or a zero here is an
    // overflow or an underflow too.
    bool negative = mpfr_signbit(power.get()) != 0;
    if (mpfr_inf_p(power.get())) return {Extended::infinity(negative), MathCode::RangeOverflow};
    if (mpfr_zero_p(power.get()) || mpfr_get_exp(power.get()) < kLeastNormalExp) {
        MpfrNumber exact(kDoubleBits);
        int ternary = mpfr_pow(exact.get(), base.get(), exponent.get(), MPFR_RNDN);
        double subnormal = round_into_double(exact.get(), ternary).value;
        return {Extended::from_double(subnormal), MathCode::RangeUnderflow};
    }
    if (mpfr_get_exp(power.get()) >= kNearOverflowExp) {
        MpfrNumber stored(kDoubleBits);
        int ternary = mpfr_set(stored.get(), power.get(), MPFR_RNDN);
        if (round_into_double(stored.get(), ternary).overflow)
            return {Extended::infinity(negative), MathCode::RangeOverflow};
    }
    return {to_extended(power.get()), {}};
}

namespace {

__extension__ typedef unsigned __int128 u128; // GCC and Clang: 128-bit products

// A positive value m * 2^e held to 128 bits: m lies in [2^127, 2^128).
struct Wide {
    u128 m;
    std::int64_t e;
};

// a * b truncated to 128 bits; sets truncated when a nonzero bit was dropped. The 256-bit product
// of two such significands lies in [2^254, 2^256): one of its top two bits is set.
Wide multiply(const Wide& a, const Wide& b, bool& truncated) {
    auto a1 = static_cast<std::uint64_t>(a.m >> 64);
    auto a0 = static_cast<std::uint64_t>(a.m);
    auto b1 = static_cast<std::uint64_t>(b.m >> 64);
    auto b0 = static_cast<std::uint64_t>(b.m);
    u128 low = u128{a0} * b0;
    u128 cross1 = u128{a1} * b0;
    u128 cross0 = u128{a0} * b1;
    u128 middle =
        (low >> 64) + static_cast<std::uint64_t>(cross1) + static_cast<std::uint64_t>(cross0);
    u128 high = u128{a1} * b1 + (cross1 >> 64) + (cross0 >> 64) + (middle >> 64);
    u128 rest = (middle << 64) | static_cast<std::uint64_t>(low); // the low 128 bits
    if ((high >> 127) != 0) {
        truncated = truncated || rest != 0;
        return {high, a.e + b.e + 128};
    }
    truncated = truncated || (rest << 1) != 0;
    return {(high << 1) | (rest >> 127), a.e + b.e + 127};
}

// Exponents up to this magnitude take the fast path; larger ones keep a result inside double's
// range only for bases near 1, and go to MPFR.
constexpr std::uint64_t kFastExponentLimit = 4096;

} // namespace

// x^n by binary powering in 128-bit truncating multiplications, for a base of 1/x when n < 0.
// Every step rounds towards zero and loses less than 2^-127 of its value (its result is at least
// 2^127 units), so the computed value V and the true power P satisfy V <= P <= V (1 + 2^-127)^c,
// c being the number of such losses weighted by how often their result enters the power. With
// an exact base c is at most n - 1; the base 1/x, itself truncated once, gives at most 2n - 1.
// For c <= 2^14, P - V is below 4c units of V's last bit. Unless that interval holds a
// midpoint between two 64-bit neighbours, the power rounds as V does; otherwise the call goes
// to MPFR. When no nonzero bit was dropped V is exact, and a tie is rounded to even here.
std::optional<Extended> fast_pow(double x, double y) {
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
    bool reciprocal = (y_bits >> 63) != 0;
    bool negative = (x_bits >> 63) != 0 && (n & 1) != 0;
    constexpr std::uint64_t kTop = std::uint64_t{1} << 63;
    if (n == 0) return Extended::finite(false, kTop, -63);

    // |x| = s * 2^e with s in [2^63, 2^64).
    std::uint64_t s = (x_bits & kFraction) | (x_field != 0 ? std::uint64_t{1} << 52 : 0);
    std::int64_t e = static_cast<std::int64_t>(x_field != 0 ? x_field : 1) - 1075;
    int shift = std::countl_zero(s);
    s <<= shift;
    e -= shift;

    std::uint64_t significand = kTop;
    std::int64_t exponent = 0;
    auto count = static_cast<std::int64_t>(n);
    if (s == kTop) { // a power of two: exact
        exponent = (reciprocal ? -count : count) * (e + 63) - 63;
    } else {
        Wide base{u128{s} << 64, e - 64};
        bool truncated = false;
        if (reciprocal) { // 2^191 / s, in (2^127, 2^128), in two steps of 64 bits
            u128 numerator = u128{1} << 127;
            u128 high = numerator / s;
            u128 low = ((numerator - high * s) << 64) / s;
            base = {(high << 64) | low, -191 - e};
            truncated = true;
        }
        Wide power = base;
        for (int bit = std::bit_width(n) - 2; bit >= 0; --bit) {
            power = multiply(power, power, truncated);
            if (((n >> bit) & 1) != 0) power = multiply(power, base, truncated);
        }
        auto high = static_cast<std::uint64_t>(power.m >> 64);
        auto low = static_cast<std::uint64_t>(power.m);
        bool up = low > kTop || (low == kTop && (high & 1) != 0);
        if (truncated) {
            std::uint64_t error = 8 * n; // 4c units, c <= 2n - 1
            if (low <= kTop && kTop - low <= error) return std::nullopt;
            up = low > kTop;
        }
        significand = high + (up ? 1 : 0);
        exponent = power.e + 64;
        if (significand == 0) { // carried to 2^64
            significand = kTop;
            ++exponent;
        }
    }
    // Normal and below 2^1023 (MPFR's exponent from -1021 to 1023): no error class applies.
    if (exponent + 64 < -1021 || exponent + 64 > 1023) return std::nullopt;
    return Extended::finite(negative, significand, exponent);
}

PowResult library_pow(double x, double y) {
    if (std::optional<Extended> power = fast_pow(x, y)) return {*power, {}};
    return library_pow_reference(x, y);
}

Extended FIfexp(double x, double y) {
    MathErrorState& state = math_error_state();
    state.intrinsic = kPowerIntrinsic;
    PowResult power = library_pow(x, y);
    Extended result = power.value;
    if (power.error) {
        MathErrorRecord record{*power.error, "pow", x, y, static_cast<double>(power.value)};
        matherr(record); // a passed-over error keeps the default result, which the hook may set
        result = Extended::from_double(record.retval);
    }
    state.intrinsic = 0;
    return result;
}

} // namespace runtime
