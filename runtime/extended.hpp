#pragma once
// Extended: a value with a 64-bit significand, as the power operation x**y returns it.
//
// A power enters the next +, -, * or / unrounded: each operator below takes the exact result of
// the operation on its two operands and rounds it once to double (to nearest, ties to even,
// subnormals included). Converting to double (a store) rounds the 64-bit value once. As with
// the hardware operations, a result that overflows or is invalid ends the run with the
// math-error report of the trap (M6104, M6101), and a division of a finite nonzero value by
// zero with M6103; underflow passes silently.
//
//     double d = 1.0 - power(3.0, -k);                  // one rounding
//     double q = power(4.0, j) / power(4.0, i);         // one rounding
//     A(i, j) = static_cast<double>(power(3.0, i - j));  // rounded at the store

#include <bit>
#include <cmath>
#include <cstdint>

#include "runtime/binary_parts.hpp"

namespace runtime {

class Extended {
public:
    enum class Kind : std::uint8_t { Zero, Finite, Infinite, NaN };

    constexpr Extended() = default; // +0

    // The double's value, exactly.
    static Extended from_double(double x);
    // The value (-1)^negative * significand * 2^exponent, which must fit in 64 bits (it does
    // when significand is any 64-bit integer).
    static Extended finite(bool negative, std::uint64_t significand, std::int64_t exponent);
    static Extended infinity(bool negative);
    static Extended nan();

    Kind kind() const { return kind_; }
    bool negative() const { return negative_; }
    // For a finite value: significand in [2^63, 2^64), value = significand * 2^exponent.
    std::uint64_t significand() const { return significand_; }
    std::int64_t exponent() const { return exponent_; }

    // Rounded once to double (the store).
    explicit operator double() const;

    friend bool operator==(const Extended&, const Extended&) = default;

private:
    Kind kind_ = Kind::Zero;
    bool negative_ = false;
    std::uint64_t significand_ = 0;
    std::int64_t exponent_ = 0;
};

inline Extended Extended::from_double(double x) {
    const bool negative = std::signbit(x);
    if (std::isnan(x)) return nan();
    if (std::isinf(x)) return infinity(negative);
    const BinaryParts p = binary_parts(x);
    return finite(negative, p.m, p.e);
}

inline Extended Extended::finite(bool negative, std::uint64_t significand, std::int64_t exponent) {
    Extended x;
    x.negative_ = negative;
    if (significand == 0) return x;
    int shift = std::countl_zero(significand);
    x.kind_ = Kind::Finite;
    x.significand_ = significand << shift;
    x.exponent_ = exponent - shift;
    return x;
}

inline Extended Extended::infinity(bool negative) {
    Extended x;
    x.kind_ = Kind::Infinite;
    x.negative_ = negative;
    return x;
}

inline Extended Extended::nan() {
    Extended x;
    x.kind_ = Kind::NaN;
    return x;
}

enum class Operation : std::uint8_t { Add, Subtract, Multiply, Divide };

double operator+(const Extended& a, const Extended& b);
double operator-(const Extended& a, const Extended& b);
double operator*(const Extended& a, const Extended& b);
double operator/(const Extended& a, const Extended& b);

inline double operator+(const Extended& a, double b) {
    return a + Extended::from_double(b);
}
inline double operator-(const Extended& a, double b) {
    return a - Extended::from_double(b);
}
inline double operator*(const Extended& a, double b) {
    return a * Extended::from_double(b);
}
inline double operator/(const Extended& a, double b) {
    return a / Extended::from_double(b);
}
inline double operator+(double a, const Extended& b) {
    return Extended::from_double(a) + b;
}
inline double operator-(double a, const Extended& b) {
    return Extended::from_double(a) - b;
}
inline double operator*(double a, const Extended& b) {
    return Extended::from_double(a) * b;
}
inline double operator/(double a, const Extended& b) {
    return Extended::from_double(a) / b;
}

} // namespace runtime
