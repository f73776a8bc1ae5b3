// MPFR linked into the program (the Windows build, which depends on no DLL beyond the
// system's own): its functions are at hand from the start.

#include "runtime/mpfr_support.hpp"

namespace runtime {

Mpfr load_mpfr() {
    return {
        .init2 = &mpfr_init2,
        .clear = &mpfr_clear,
        .set4 = &mpfr_set4,
        .set_zero = &mpfr_set_zero,
        .set_inf = &mpfr_set_inf,
        .set_nan = &mpfr_set_nan,
        .set_uj_2exp = &mpfr_set_uj_2exp,
        .get_uj = &mpfr_get_uj,
        .get_d = &mpfr_get_d,
        .neg = &mpfr_neg,
        .mul_2si = &mpfr_mul_2si,
        .add = &mpfr_add,
        .sub = &mpfr_sub,
        .mul = &mpfr_mul,
        .div = &mpfr_div,
        .pow = &mpfr_pow,
        .get_emin = &mpfr_get_emin,
        .get_emax = &mpfr_get_emax,
        .set_emin = &mpfr_set_emin,
        .set_emax = &mpfr_set_emax,
        .clear_flags = &mpfr_clear_flags,
        .overflow_p = &mpfr_overflow_p,
        .check_range = &mpfr_check_range,
        .subnormalize = &mpfr_subnormalize,
    };
}

} // namespace runtime
