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
// need none), each by its name less "mpfr_": the one list that the table below, the binding of
// the linked library (mpfr_linked.cpp) and the loading of the shared one (mpfr_loaded.cpp)
// expand, giving X each name in turn.
#define CROUT_MPFR_FUNCTIONS(X)                                                                    \
    X(init2)                                                                                       \
    X(clear)                                                                                       \
    X(set4) /* mpfr_set and mpfr_abs */                                                            \
    X(set_zero)                                                                                    \
    X(set_inf)                                                                                     \
    X(set_nan)                                                                                     \
    X(set_uj_2exp)                                                                                 \
    X(get_uj)                                                                                      \
    X(get_d)                                                                                       \
    X(neg)                                                                                         \
    X(mul_2si)                                                                                     \
    X(add)                                                                                         \
    X(sub)                                                                                         \
    X(mul)                                                                                         \
    X(div)                                                                                         \
    X(pow)                                                                                         \
    X(get_emin)                                                                                    \
    X(get_emax)                                                                                    \
    X(set_emin)                                                                                    \
    X(set_emax)                                                                                    \
    X(clear_flags)                                                                                 \
    X(overflow_p)                                                                                  \
    X(check_range)                                                                                 \
    X(subnormalize)

// MPFR's functions, bound with the library at the first call. A library that cannot be loaded
// ends the process as the system's loader does, with status 127.
struct Mpfr {
#define CROUT_MPFR_MEMBER(name) decltype(&::mpfr_##name) name;
    CROUT_MPFR_FUNCTIONS(CROUT_MPFR_MEMBER)
#undef CROUT_MPFR_MEMBER
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
