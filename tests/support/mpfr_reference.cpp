#include "tests/support/mpfr_reference.hpp"

#include <cmath>
#include <cstdint> // before mpfr.h, for the intmax_t functions

#include <mpfr.h>

#include "runtime/float_environment.hpp"

namespace mpfr_reference {

namespace {

using runtime::Extended;
using runtime::MathCode;
using runtime::RoundedDouble;

// Double's range in MPFR's convention (significand in [1/2, 1)): the least subnormal is
// 2^-1074 = 0.1b * 2^-1073, the largest double just below 2^1024.
constexpr mpfr_exp_t kDoubleEmin = -1073, kDoubleEmax = 1024;

struct Number {
    explicit Number(mpfr_prec_t bits) { mpfr_init2(v, bits); }
    ~Number() { mpfr_clear(v); }
    Number(const Number&) = delete;
    mpfr_t v;
};

void set(mpfr_ptr out, const Extended& x) {
    if (x.kind() == Extended::Kind::NaN) return mpfr_set_nan(out);
    if (x.kind() == Extended::Kind::Infinite) return mpfr_set_inf(out, x.negative() ? -1 : 1);
    mpfr_set_uj_2exp(out, x.significand(), x.exponent(), MPFR_RNDN); // a zero's is 0
    mpfr_setsign(out, out, x.negative(), MPFR_RNDN);
}

// x, of at most 64 bits, as an Extended.
Extended to_extended(mpfr_srcptr x) {
    bool negative = mpfr_signbit(x) != 0;
    if (mpfr_nan_p(x)) return Extended::nan();
    if (mpfr_inf_p(x)) return Extended::infinity(negative);
    if (mpfr_zero_p(x)) return Extended::finite(negative, 0, 0);
    mpfr_exp_t e = mpfr_get_exp(x); // x = 0.1b... * 2^e: scaled by 2^(64 - e), an integer
    Number scaled(64);
    mpfr_abs(scaled.v, x, MPFR_RNDN);
    mpfr_mul_2si(scaled.v, scaled.v, 64 - e, MPFR_RNDN);
    return Extended::finite(negative, mpfr_get_uj(scaled.v, MPFR_RNDN), e - 64);
}

// result (53 bits) holds an exact value rounded to nearest in MPFR's range; ternary is the sign
// of result minus the exact value. Rounds the exact value once into double's range.
RoundedDouble round_into_double(mpfr_ptr result, int ternary) {
    const mpfr_exp_t emin = mpfr_get_emin(), emax = mpfr_get_emax();
    mpfr_clear_flags();
    mpfr_set_emin(kDoubleEmin);
    mpfr_set_emax(kDoubleEmax);
    ternary = mpfr_check_range(result, ternary, MPFR_RNDN);
    mpfr_subnormalize(result, ternary, MPFR_RNDN);
    RoundedDouble rounded{mpfr_get_d(result, MPFR_RNDN), mpfr_overflow_p() != 0};
    mpfr_set_emin(emin);
    mpfr_set_emax(emax);
    return rounded;
}

} // namespace

runtime::PowResult library_pow(double x, double y) {
    runtime::MaskedFloatScope masked;
    Number base(64), exponent(64), power(64);
    set(base.v, Extended::from_double(x));
    set(exponent.v, Extended::from_double(y));
    mpfr_pow(power.v, base.v, exponent.v, MPFR_RNDN);
    const bool negative = mpfr_signbit(power.v) != 0;
    // The classes decided by the arguments alone; a pole keeps its signed infinity.
    if (std::isnan(x) || std::isnan(y) || (std::isinf(y) && std::fabs(x) == 1.0) ||
        (std::signbit(x) && x != 0.0 && std::isfinite(y) && std::trunc(y) != y))
        return {Extended::nan(), MathCode::Domain};
    if (x == 0.0 && std::signbit(y) && y != 0.0)
        return {Extended::infinity(negative), MathCode::Singularity};
    if (!std::isfinite(x) || !std::isfinite(y) || x == 0.0) return {to_extended(power.v), {}};

    // MPFR's own range is exceeded only far beyond double's: an infinity or a zero here is an
    // overflow or an underflow too. Below 2^-1022 (MPFR's exponent -1021) lies an underflow;
    // a power that the store to double takes to infinity is an overflow.
    if (mpfr_inf_p(power.v)) return {Extended::infinity(negative), MathCode::RangeOverflow};
    if (mpfr_zero_p(power.v) || mpfr_get_exp(power.v) < -1021) {
        Number exact(53);
        const int ternary = mpfr_pow(exact.v, base.v, exponent.v, MPFR_RNDN);
        return {Extended::from_double(round_into_double(exact.v, ternary).value),
                MathCode::RangeUnderflow};
    }
    if (mpfr_reference::round_to_double(to_extended(power.v)).overflow)
        return {Extended::infinity(negative), MathCode::RangeOverflow};
    return {to_extended(power.v), {}};
}

RoundedDouble round_operation(runtime::Operation op, const Extended& a, const Extended& b) {
    using Function = int (*)(mpfr_ptr, mpfr_srcptr, mpfr_srcptr, mpfr_rnd_t);
    constexpr Function functions[] = {mpfr_add, mpfr_sub, mpfr_mul, mpfr_div}; // as Operation
    runtime::MaskedFloatScope masked;
    Number x(64), y(64), r(53);
    set(x.v, a);
    set(y.v, b);
    return round_into_double(r.v, functions[static_cast<int>(op)](r.v, x.v, y.v, MPFR_RNDN));
}

RoundedDouble round_to_double(const Extended& x) {
    runtime::MaskedFloatScope masked;
    Number wide(64), r(53);
    set(wide.v, x);
    return round_into_double(r.v, mpfr_set(r.v, wide.v, MPFR_RNDN));
}

} // namespace mpfr_reference
