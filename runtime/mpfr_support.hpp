#pragma once
// MPFR behind the power's reference and fallback, and the reference for the operations on
// extended values: a scoped variable, the exchange between Extended and MPFR, and the rounding of
// a result once into double's range.
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

class MpfrNumber {
public:
    explicit MpfrNumber(mpfr_prec_t bits) { mpfr_init2(value_, bits); }
    ~MpfrNumber() { mpfr_clear(value_); }
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
