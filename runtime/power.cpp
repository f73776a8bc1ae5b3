#include "runtime/power.hpp"

#include <cmath>

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

PowResult library_pow(double x, double y) {
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

Extended FIfexp(double x, double y) {
    PowResult power = library_pow(x, y);
    Extended result = power.value;
    if (power.error) {
        MathErrorRecord record{*power.error, "pow", x, y, static_cast<double>(power.value)};
        matherr(record); // a passed-over error keeps the default result, which the hook may set
        result = Extended::from_double(record.retval);
    }
    return result;
}

} // namespace runtime
