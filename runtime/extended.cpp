#include "runtime/extended.hpp"

#include <bit>
#include <cmath>
#include <utility>

#include "runtime/bit_cast.hpp"
#include "runtime/math_fault.hpp"
#include "runtime/rounding.hpp"
#include "runtime/uint128.hpp"
#include "runtime/unreachable.hpp"

namespace runtime {

namespace {

constexpr std::uint64_t kSignBit = std::uint64_t{1} << 63;
constexpr std::uint64_t kInfinityBits = 0x7FF0000000000000;

RoundedDouble zero(bool negative) {
    return {bit_cast<double>(negative ? kSignBit : 0), false};
}

RoundedDouble infinity(bool negative) {
    return {bit_cast<double>(kInfinityBits | (negative ? kSignBit : 0)), false};
}

// An invalid operation gives the quiet NaN with the sign set, as x86-64's own operations do (64-bit
// ARM's default NaN has the sign clear; no NaN reaches the output); a NaN operand gives the same
// NaN.
RoundedDouble invalid() {
    return {bit_cast<double>(kSignBit | 0x7FF8000000000000), false};
}

// The double nearest (ties to even, subnormals included) to (-1)^negative * (m + f) * 2^e,
// where f is 0 if the value is exact and lies strictly between 0 and 1 if not. An inexact value
// needs m >= 2^54: once m is shifted to 128 bits, f then stays below the rounding bit, and only
// says that the bits under it are not all zero.
RoundedDouble round_to_double(bool negative, u128 m, std::int64_t e, bool inexact) {
    if (m == 0) return zero(negative);
    std::uint64_t high = static_cast<std::uint64_t>(m >> 64);
    int shift =
        high != 0 ? std::countl_zero(high) : 64 + std::countl_zero(static_cast<std::uint64_t>(m));
    m <<= shift;
    high = static_cast<std::uint64_t>(m >> 64);
    auto low = static_cast<std::uint64_t>(m);
    std::int64_t exponent = e - shift + 127; // the value lies in [2^exponent, 2^(exponent + 1))
    std::uint64_t sign = negative ? kSignBit : 0;
    RoundedDouble overflow{bit_cast<double>(kInfinityBits | sign), true};
    if (exponent > 1023) return overflow;
    std::uint64_t bits = 0;
    if (exponent >= -1022) { // normal: the top 53 bits, then the rounding bit
        std::uint64_t kept = high >> 11;
        bool half = ((high >> 10) & 1) != 0;
        bool below = (high & 0x3FF) != 0 || low != 0 || inexact;
        bool up = half && (below || (kept & 1) != 0);
        // With its leading bit, kept adds one to the field of exponent - 1: the double's bits,
        // a carry into the next binade included.
        bits = (static_cast<std::uint64_t>(exponent + 1022) << 52) + kept + (up ? 1 : 0);
        if (bits >= kInfinityBits) return overflow;
    } else { // subnormal or zero: on the grid of 2^-1074, which drops at least 76 bits of m
        std::int64_t dropped = -1074 - (exponent - 127);
        if (dropped <= 128) {
            u128 rest = dropped == 128 ? m : m & ((u128{1} << dropped) - 1);
            std::uint64_t kept = dropped == 128 ? 0 : static_cast<std::uint64_t>(m >> dropped);
            u128 half = u128{1} << (dropped - 1);
            bool up = rest > half || (rest == half && (inexact || (kept & 1) != 0));
            bits = kept + (up ? 1 : 0); // a carry gives the least normal
        }
    }
    return {bit_cast<double>(bits | sign), false};
}

RoundedDouble round_to_double(bool negative, const Extended& x) {
    return round_to_double(negative, x.significand(), x.exponent(), false);
}

// v >> shift, with whether nonzero bits were dropped.
u128 shift_right(u128 v, std::uint64_t shift, bool& dropped) {
    if (shift == 0) return v;
    if (shift >= 128) {
        dropped = v != 0;
        return 0;
    }
    dropped = (v << (128 - shift)) != 0;
    return v >> shift;
}

// a + b for a and b of the given signs.
RoundedDouble sum(const Extended& a, bool a_negative, const Extended& b, bool b_negative) {
    using Kind = Extended::Kind;
    if (a.kind() == Kind::Infinite) {
        if (b.kind() == Kind::Infinite && a_negative != b_negative) return invalid();
        return infinity(a_negative);
    }
    if (b.kind() == Kind::Infinite) return infinity(b_negative);
    if (a.kind() == Kind::Zero)
        return b.kind() == Kind::Zero ? zero(a_negative && b_negative)
                                      : round_to_double(b_negative, b);
    if (b.kind() == Kind::Zero) return round_to_double(a_negative, a);

    // Both finite: align the smaller magnitude under the larger, one bit of headroom for a carry.
    const Extended* big = &a;
    const Extended* small = &b;
    if (b.exponent() > a.exponent() ||
        (b.exponent() == a.exponent() && b.significand() > a.significand())) {
        std::swap(big, small);
        std::swap(a_negative, b_negative);
    }
    u128 larger = u128{big->significand()} << 63;
    bool inexact = false;
    u128 smaller =
        shift_right(u128{small->significand()} << 63,
                    static_cast<std::uint64_t>(big->exponent() - small->exponent()), inexact);
    std::int64_t e = big->exponent() - 63;
    if (a_negative == b_negative) return round_to_double(a_negative, larger + smaller, e, inexact);
    // The dropped bits f of the smaller lie in (0, 1): larger - (smaller + f) is
    // (larger - smaller - 1) + (1 - f). Equal magnitudes cancel to +0.
    u128 difference = larger - smaller - (inexact ? 1 : 0);
    if (difference == 0) return zero(false);
    return round_to_double(a_negative, difference, e, inexact);
}

RoundedDouble product(const Extended& a, const Extended& b) {
    using Kind = Extended::Kind;
    bool negative = a.negative() != b.negative();
    bool zero_operand = a.kind() == Kind::Zero || b.kind() == Kind::Zero;
    if (a.kind() == Kind::Infinite || b.kind() == Kind::Infinite)
        return zero_operand ? invalid() : infinity(negative);
    if (zero_operand) return zero(negative);
    u128 exact = u128{a.significand()} * b.significand();
    return round_to_double(negative, exact, a.exponent() + b.exponent(), false);
}

RoundedDouble quotient(const Extended& a, const Extended& b) {
    using Kind = Extended::Kind;
    bool negative = a.negative() != b.negative();
    if (a.kind() == Kind::Infinite)
        return b.kind() == Kind::Infinite ? invalid() : infinity(negative);
    if (a.kind() == Kind::Zero) return b.kind() == Kind::Zero ? invalid() : zero(negative);
    if (b.kind() == Kind::Infinite) return zero(negative);
    if (b.kind() == Kind::Zero) return infinity(negative);
    // Both significands lie in [2^63, 2^64), so the quotient of a's shifted by 63 bits lies in
    // [2^62, 2^64): at least 63 bits, and the remainder tells whether it is exact.
    u128 dividend = u128{a.significand()} << 63;
    auto q = static_cast<std::uint64_t>(dividend / b.significand());
    bool inexact = dividend != u128{q} * b.significand();
    return round_to_double(negative, q, a.exponent() - b.exponent() - 63, inexact);
}

} // namespace

RoundedDouble round_operation(Operation op, const Extended& a, const Extended& b) {
    using Kind = Extended::Kind;
    if (a.kind() == Kind::NaN || b.kind() == Kind::NaN) return invalid();
    switch (op) {
    case Operation::Add: return sum(a, a.negative(), b, b.negative());
    case Operation::Subtract: return sum(a, a.negative(), b, !b.negative());
    case Operation::Multiply: return product(a, b);
    case Operation::Divide: return quotient(a, b);
    }
    unreachable();
}

RoundedDouble round_to_double(const Extended& x) {
    switch (x.kind()) {
    case Extended::Kind::Zero: return zero(x.negative());
    case Extended::Kind::Infinite: return infinity(x.negative());
    case Extended::Kind::NaN: return invalid();
    case Extended::Kind::Finite: break;
    }
    return round_to_double(x.negative(), x);
}

Extended::operator double() const {
    RoundedDouble rounded = round_to_double(*this);
    if (rounded.overflow) report_math_fault(FloatException::Overflow);
    return rounded.value;
}

namespace {

// a op b rounded once to double; the exceptions that the hardware traps are reported the same.
double combine(Operation op, const Extended& a, const Extended& b) {
    RoundedDouble rounded = round_operation(op, a, b);
    using Kind = Extended::Kind;
    bool nan_operand = a.kind() == Kind::NaN || b.kind() == Kind::NaN;
    if (std::isnan(rounded.value) && !nan_operand) { // inf - inf, 0 * inf, 0 / 0, inf / inf
        report_math_fault(FloatException::Invalid);
    } else if (op == Operation::Divide && b.kind() == Kind::Zero && a.kind() == Kind::Finite) {
        report_math_fault(FloatException::DivideByZero);
    } else if (rounded.overflow) {
        report_math_fault(FloatException::Overflow);
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
