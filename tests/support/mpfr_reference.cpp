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
constexpr mpfr_exp_t kDoubleEmin = -1073;
constexpr mpfr_exp_t kDoubleEmax = 1024;

class Number {
public:
    explicit Number(mpfr_prec_t bits) { mpfr_init2(value_, bits); }
    ~Number() { mpfr_clear(value_); }
    Number(const Number&) = delete;
    Number& operator=(const Number&) = delete;
    mpfr_ptr get() { return value_; }

private:
    mpfr_t value_;
};

void set(mpfr_ptr out, const Extended& x) {
    int sign = x.negative() ? -1 : 1;
    switch (x.kind()) {
    case Extended::Kind::Zero: mpfr_set_zero(out, sign); return;
    case Extended::Kind::Infinite: mpfr_set_inf(out, sign); return;
    case Extended::Kind::NaN: mpfr_set_nan(out); return;
    case Extended::Kind::Finite: break;
    }
    mpfr_set_uj_2exp(out, x.significand(), x.exponent(), MPFR_RNDN);
    if (x.negative()) mpfr_neg(out, out, MPFR_RNDN);
}

// x, of at most 64 bits, as an Extended.
Extended to_extended(mpfr_srcptr x) {
    bool negative = mpfr_signbit(x) != 0;
    if (mpfr_nan_p(x)) return Extended::nan();
    if (mpfr_inf_p(x)) return Extended::infinity(negative);
    if (mpfr_zero_p(x)) return Extended::finite(negative, 0, 0);
    mpfr_exp_t e = mpfr_get_exp(x); // x = 0.1b... * 2^e: scaled by 2^(64 - e), an integer
    Number scaled(64);
    mpfr_abs(scaled.get(), x, MPFR_RNDN);
    mpfr_mul_2si(scaled.get(), scaled.get(), 64 - e, MPFR_RNDN);
    return Extended::finite(negative, mpfr_get_uj(scaled.get(), MPFR_RNDN), e - 64);
}

// result (53 bits) holds an exact value rounded to nearest in MPFR's range; ternary is the sign
// of result minus the exact value. Rounds the exact value once into double's range.
RoundedDouble round_into_double(mpfr_ptr result, int ternary) {
    mpfr_exp_t emin = mpfr_get_emin();
    mpfr_exp_t emax = mpfr_get_emax();
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
    set(base.get(), Extended::from_double(x));
    set(exponent.get(), Extended::from_double(y));
    mpfr_pow(power.get(), base.get(), exponent.get(), MPFR_RNDN);
    const bool negative = mpfr_signbit(power.get()) != 0;
    // The classes decided by the arguments alone; a pole keeps its signed infinity.
    if (std::isnan(x) || std::isnan(y) || (std::isinf(y) && std::fabs(x) == 1.0) ||
        (std::signbit(x) && x != 0.0 && std::isfinite(y) && std::trunc(y) != y))
        return {Extended::nan(), MathCode::Domain};
    if (x == 0.0 && std::signbit(y) && y != 0.0)
        return {Extended::infinity(negative), MathCode::Singularity};
    if (!std::isfinite(x) || !std::isfinite(y) || x == 0.0) return {to_extended(power.get()), {}};

    // MPFR's own range is exceeded only far beyond double's: an infinity or a zero here is an
    // overflow or an underflow too. Below 2^-1022 (MPFR's exponent -1021) lies an underflow,
    // from 2^1023 (exponent 1024) on a possible overflow.
    if (mpfr_inf_p(power.get())) return {Extended::infinity(negative), MathCode::RangeOverflow};
    if (mpfr_zero_p(power.get()) || mpfr_get_exp(power.get()) < -1021) {
        Number exact(53);
        int ternary = mpfr_pow(exact.get(), base.get(), exponent.get(), MPFR_RNDN);
        double subnormal = round_into_double(exact.get(), ternary).value;
        return {Extended::from_double(subnormal), MathCode::RangeUnderflow};
    }
    if (mpfr_get_exp(power.get()) >= 1024) {
        Number stored(53);
        int ternary = mpfr_set(stored.get(), power.get(), MPFR_RNDN);
        if (round_into_double(stored.get(), ternary).overflow)
            return {Extended::infinity(negative), MathCode::RangeOverflow};
    }
    return {to_extended(power.get()), {}};
}

RoundedDouble round_operation(runtime::Operation op, const Extended& a, const Extended& b) {
    runtime::MaskedFloatScope masked;
    Number x(64), y(64), r(53);
    set(x.get(), a);
    set(y.get(), b);
    int ternary = 0;
    switch (op) {
    case runtime::Operation::Add: ternary = mpfr_add(r.get(), x.get(), y.get(), MPFR_RNDN); break;
    case runtime::Operation::Subtract:
        ternary = mpfr_sub(r.get(), x.get(), y.get(), MPFR_RNDN);
        break;
    case runtime::Operation::Multiply:
        ternary = mpfr_mul(r.get(), x.get(), y.get(), MPFR_RNDN);
        break;
    case runtime::Operation::Divide:
        ternary = mpfr_div(r.get(), x.get(), y.get(), MPFR_RNDN);
        break;
    }
    return round_into_double(r.get(), ternary);
}

RoundedDouble round_to_double(const Extended& x) {
    runtime::MaskedFloatScope masked;
    Number wide(64), r(53);
    set(wide.get(), x);
    return round_into_double(r.get(), mpfr_set(r.get(), wide.get(), MPFR_RNDN));
}

double with_power(int base, long k, bool one_minus) {
    Number power(64), result(53);
    mpfr_set_ui(power.get(), static_cast<unsigned long>(base), MPFR_RNDN);
    mpfr_pow_si(power.get(), power.get(), k, MPFR_RNDN);
    mpfr_ui_sub(result.get(), one_minus ? 1 : 0, power.get(), MPFR_RNDN); // 0 - power: -power
    const double value = mpfr_get_d(result.get(), MPFR_RNDN);
    return one_minus ? value : -value;
}

} // namespace mpfr_reference
