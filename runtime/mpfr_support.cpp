#include "runtime/mpfr_support.hpp"

namespace runtime {

namespace {

// Double's range in MPFR's convention (significand in [1/2, 1)): the least subnormal is
// 2^-1074 = 0.1b * 2^-1073, the largest double just below 2^1024.
constexpr mpfr_exp_t kDoubleEmin = -1073;
constexpr mpfr_exp_t kDoubleEmax = 1024;

} // namespace

const Mpfr& mpfr() {
    static const Mpfr functions = load_mpfr();
    return functions;
}

void set_mpfr(mpfr_ptr out, const Extended& x) {
    const Mpfr& m = mpfr();
    int sign = x.negative() ? -1 : 1;
    switch (x.kind()) {
    case Extended::Kind::Zero: m.set_zero(out, sign); return;
    case Extended::Kind::Infinite: m.set_inf(out, sign); return;
    case Extended::Kind::NaN: m.set_nan(out); return;
    case Extended::Kind::Finite: break;
    }
    m.set_uj_2exp(out, x.significand(), x.exponent(), MPFR_RNDN);
    if (x.negative()) m.neg(out, out, MPFR_RNDN);
}

Extended to_extended(mpfr_srcptr x) {
    const Mpfr& m = mpfr();
    bool negative = mpfr_signbit(x) != 0;
    if (mpfr_nan_p(x)) return Extended::nan();
    if (mpfr_inf_p(x)) return Extended::infinity(negative);
    if (mpfr_zero_p(x)) return Extended::finite(negative, 0, 0);
    // x = 0.1b... * 2^e: scaled by 2^(64 - e) its magnitude is a 64-bit integer.
    mpfr_exp_t e = mpfr_get_exp(x);
    MpfrNumber scaled(kExtendedBits);
    m.set4(scaled.get(), x, MPFR_RNDN, 1);
    m.mul_2si(scaled.get(), scaled.get(), kExtendedBits - e, MPFR_RNDN);
    return Extended::finite(negative, m.get_uj(scaled.get(), MPFR_RNDN), e - kExtendedBits);
}

RoundedDouble round_into_double(mpfr_ptr result, int ternary) {
    const Mpfr& m = mpfr();
    mpfr_exp_t emin = m.get_emin();
    mpfr_exp_t emax = m.get_emax();
    m.clear_flags();
    m.set_emin(kDoubleEmin);
    m.set_emax(kDoubleEmax);
    ternary = m.check_range(result, ternary, MPFR_RNDN);
    m.subnormalize(result, ternary, MPFR_RNDN);
    RoundedDouble rounded{m.get_d(result, MPFR_RNDN), m.overflow_p() != 0};
    m.set_emin(emin);
    m.set_emax(emax);
    return rounded;
}

RoundedDouble mpfr_round_operation(Operation op, const Extended& a, const Extended& b) {
    const Mpfr& m = mpfr();
    MaskedFloatScope masked;
    MpfrNumber x(kExtendedBits);
    MpfrNumber y(kExtendedBits);
    MpfrNumber r(kDoubleBits);
    set_mpfr(x.get(), a);
    set_mpfr(y.get(), b);
    int ternary = 0;
    switch (op) {
    case Operation::Add: ternary = m.add(r.get(), x.get(), y.get(), MPFR_RNDN); break;
    case Operation::Subtract: ternary = m.sub(r.get(), x.get(), y.get(), MPFR_RNDN); break;
    case Operation::Multiply: ternary = m.mul(r.get(), x.get(), y.get(), MPFR_RNDN); break;
    case Operation::Divide: ternary = m.div(r.get(), x.get(), y.get(), MPFR_RNDN); break;
    }
    return round_into_double(r.get(), ternary);
}

RoundedDouble mpfr_round_to_double(const Extended& x) {
    const Mpfr& m = mpfr();
    MaskedFloatScope masked;
    MpfrNumber wide(kExtendedBits);
    MpfrNumber r(kDoubleBits);
    set_mpfr(wide.get(), x);
    return round_into_double(r.get(),
                             m.set4(r.get(), wide.get(), MPFR_RNDN, MPFR_SIGN(wide.get())));
}

} // namespace runtime
