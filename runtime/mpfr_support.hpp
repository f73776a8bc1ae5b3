#pragma once
// MPFR behind the power's reference and fallback, and the reference for the operations on
// extended values: the library's functions, a scoped variable, the exchange between Extended and
// MPFR, and the rounding of a result once into double's range.
//
// Where MPFR is a shared library, it is loaded at the first call that needs it. The program's
// own powers all take the fast path, so a session never loads it.
//
// MPFR keeps its exponents in a range far wider than double's; a result rounded to 53 bits there
// is brought into double's range (overflow, subnormals) by round_into_double, which takes the
// direction of the first rounding into account, so the pair makes a single rounding.

#include <cstdint> // before mpfr.h, for the intmax_t functions

#include <mpfr.h>

#include "runtime/extended.hpp"
#include "runtime/math_error.hpp"

namespace runtime {

inline constexpr mpfr_prec_t kExtendedBits = 64;
inline constexpr mpfr_prec_t kDoubleBits = 53;

// The functions of MPFR that the run-time calls (mpfr.h's macros that read a variable's fields
// need none), loaded with the library at the first call. A library that cannot be loaded ends the
// process as the system's loader does, with status 127.
struct Mpfr {
    decltype(&::mpfr_init2) init2;
    decltype(&::mpfr_clear) clear;
    decltype(&::mpfr_set4) set4; // mpfr_set and mpfr_abs
    decltype(&::mpfr_set_zero) set_zero;
    decltype(&::mpfr_set_inf) set_inf;
    decltype(&::mpfr_set_nan) set_nan;
    decltype(&::mpfr_set_uj_2exp) set_uj_2exp;
    decltype(&::mpfr_get_uj) get_uj;
    decltype(&::mpfr_get_d) get_d;
    decltype(&::mpfr_neg) neg;
    decltype(&::mpfr_mul_2si) mul_2si;
    decltype(&::mpfr_add) add;
    decltype(&::mpfr_sub) sub;
    decltype(&::mpfr_mul) mul;
    decltype(&::mpfr_div) div;
    decltype(&::mpfr_pow) pow;
    decltype(&::mpfr_get_emin) get_emin;
    decltype(&::mpfr_get_emax) get_emax;
    decltype(&::mpfr_set_emin) set_emin;
    decltype(&::mpfr_set_emax) set_emax;
    decltype(&::mpfr_clear_flags) clear_flags;
    decltype(&::mpfr_overflow_p) overflow_p;
    decltype(&::mpfr_check_range) check_range;
    decltype(&::mpfr_subnormalize) subnormalize;
};
const Mpfr& mpfr(); // bound at the first call, by load_mpfr
Mpfr load_mpfr();   // from the shared library, or from the program where it is linked in

class MpfrNumber {
public:
    explicit MpfrNumber(mpfr_prec_t bits) { mpfr().init2(value_, bits); }
    ~MpfrNumber() { mpfr().clear(value_); }
    MpfrNumber(const MpfrNumber&) = delete;
    MpfrNumber& operator=(const MpfrNumber&) = delete;
    mpfr_ptr get() { return value_; }

private:
    mpfr_t value_;
};

// Sets out (at least 64 bits) to x exactly.
void set_mpfr(mpfr_ptr out, const Extended& x);

// x, of at most 64 bits, as an Extended.
Extended to_extended(mpfr_srcptr x);

// result (53 bits) holds an exact value rounded to nearest in MPFR's range; ternary is the sign
// of result minus the exact value. Rounds the exact value once into double's range.
RoundedDouble round_into_double(mpfr_ptr result, int ternary);

// round_operation and round_to_double made by MPFR: the reference for the integer arithmetic.
RoundedDouble mpfr_round_operation(Operation op, const Extended& a, const Extended& b);
RoundedDouble mpfr_round_to_double(const Extended& x);

} // namespace runtime
