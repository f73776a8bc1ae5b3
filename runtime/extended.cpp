#include "runtime/extended.hpp"

#include <bit>
#include <cmath>

#include "runtime/math_error.hpp"
#include "runtime/mpfr_support.hpp"

namespace runtime {

Extended Extended::from_double(double x) {
    auto bits = std::bit_cast<std::uint64_t>(x);
    bool negative = (bits >> 63) != 0;
    std::uint64_t field = (bits >> 52) & 0x7FF;
    std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    if (field == 0x7FF) return fraction != 0 ? nan() : infinity(negative);
    if (field == 0) return finite(negative, fraction, -1074); // subnormal or zero
    return finite(negative, fraction | (std::uint64_t{1} << 52),
                  static_cast<std::int64_t>(field) - 1075);
}

Extended Extended::finite(bool negative, std::uint64_t significand, std::int64_t exponent) {
    Extended x;
    x.negative_ = negative;
    if (significand == 0) return x;
    int shift = std::countl_zero(significand);
    x.kind_ = Kind::Finite;
    x.significand_ = significand << shift;
    x.exponent_ = exponent - shift;
    return x;
}

Extended Extended::infinity(bool negative) {
    Extended x;
    x.kind_ = Kind::Infinite;
    x.negative_ = negative;
    return x;
}

Extended Extended::nan() {
    Extended x;
    x.kind_ = Kind::NaN;
    return x;
}

Extended::operator double() const {
    RoundedDouble rounded;
    {
        MaskedFloatScope masked;
        MpfrNumber x(kExtendedBits);
        MpfrNumber r(kDoubleBits);
        set_mpfr(x.get(), *this);
        rounded = round_into_double(r.get(), mpfr_set(r.get(), x.get(), MPFR_RNDN));
    }
    if (rounded.overflow) report_trap(MathCode::TrapOverflow);
    return rounded.value;
}

namespace {

enum class Operation { Add, Subtract, Multiply, Divide };

int apply(Operation op, mpfr_ptr r, mpfr_srcptr x, mpfr_srcptr y) {
    switch (op) {
    case Operation::Add: return mpfr_add(r, x, y, MPFR_RNDN);
    case Operation::Subtract: return mpfr_sub(r, x, y, MPFR_RNDN);
    case Operation::Multiply: return mpfr_mul(r, x, y, MPFR_RNDN);
    case Operation::Divide: return mpfr_div(r, x, y, MPFR_RNDN);
    }
    return 0;
}

// a op b rounded once to double; the exceptions that the hardware traps are reported the same.
double combine(Operation op, const Extended& a, const Extended& b) {
    RoundedDouble rounded;
    {
        MaskedFloatScope masked;
        MpfrNumber x(kExtendedBits);
        MpfrNumber y(kExtendedBits);
        MpfrNumber r(kDoubleBits);
        set_mpfr(x.get(), a);
        set_mpfr(y.get(), b);
        rounded = round_into_double(r.get(), apply(op, r.get(), x.get(), y.get()));
    }
    using Kind = Extended::Kind;
    bool nan_operand = a.kind() == Kind::NaN || b.kind() == Kind::NaN;
    if (std::isnan(rounded.value) && !nan_operand) { // inf - inf, 0 * inf, 0 / 0, inf / inf
        report_trap(MathCode::TrapInvalid);
    } else if (op == Operation::Divide && b.kind() == Kind::Zero && a.kind() == Kind::Finite) {
        report_trap(MathCode::TrapDivideByZero);
    } else if (rounded.overflow) {
        report_trap(MathCode::TrapOverflow);
    }
    return rounded.value;
}

} // namespace

double operator+(const Extended& a, const Extended& b) {
    return combine(Operation::Add, a, b);
}
double operator-(const Extended& a, const Extended& b) {
    return combine(Operation::Subtract, a, b);
}
double operator*(const Extended& a, const Extended& b) {
    return combine(Operation::Multiply, a, b);
}
double operator/(const Extended& a, const Extended& b) {
    return combine(Operation::Divide, a, b);
}

} // namespace runtime
