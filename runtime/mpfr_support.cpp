#include "runtime/mpfr_support.hpp"

namespace runtime {

namespace {

// Double's range in MPFR's convention (significand in [1/2, 1)): the least subnormal is
// 2^-1074 = 0.1b * 2^-1073, the largest double just below 2^1024.
constexpr mpfr_exp_t kDoubleEmin = -1073;
constexpr mpfr_exp_t kDoubleEmax = 1024;

} // namespace

void set_mpfr(mpfr_ptr out, const Extended& x) {
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

Extended to_extended(mpfr_srcptr x) {
    bool negative = mpfr_signbit(x) != 0;
    if (mpfr_nan_p(x)) return Extended::nan();
    if (mpfr_inf_p(x)) return Extended::infinity(negative);
    if (mpfr_zero_p(x)) return Extended::finite(negative, 0, 0);
    // x = 0.1b... * 2^e: scaled by 2^(64 - e) its magnitude is a 64-bit integer.
    mpfr_exp_t e = mpfr_get_exp(x);
    MpfrNumber scaled(kExtendedBits);
    mpfr_abs(scaled.get(), x, MPFR_RNDN);
    mpfr_mul_2si(scaled.get(), scaled.get(), kExtendedBits - e, MPFR_RNDN);
    return Extended::finite(negative, mpfr_get_uj(scaled.get(), MPFR_RNDN), e - kExtendedBits);
}

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

RoundedDouble mpfr_round_operation(Operation op, const Extended& a, const Extended& b) {
    MaskedFloatScope masked;
    MpfrNumber x(kExtendedBits);
    MpfrNumber y(kExtendedBits);
    MpfrNumber r(kDoubleBits);
    set_mpfr(x.get(), a);
    set_mpfr(y.get(), b);
    int ternary = 0;
    switch (op) {
    case Operation::Add: ternary = mpfr_add(r.get(), x.get(), y.get(), MPFR_RNDN); break;
    case Operation::Subtract: ternary = mpfr_sub(r.get(), x.get(), y.get(), MPFR_RNDN); break;
    case Operation::Multiply: ternary = mpfr_mul(r.get(), x.get(), y.get(), MPFR_RNDN); break;
    case Operation::Divide: ternary = mpfr_div(r.get(), x.get(), y.get(), MPFR_RNDN); break;
    }
    return round_into_double(r.get(), ternary);
}

RoundedDouble mpfr_round_to_double(const Extended& x) {
    MaskedFloatScope masked;
    MpfrNumber wide(kExtendedBits);
    MpfrNumber r(kDoubleBits);
    set_mpfr(wide.get(), x);
    return round_into_double(r.get(), mpfr_set(r.get(), wide.get(), MPFR_RNDN));
}

} // namespace runtime
