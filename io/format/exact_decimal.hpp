#pragma once
// Exact conversions between doubles and decimal numbers, by arithmetic on integers of any size.
// A finite double is m * 2^e, whose decimal expansion is finite; a decimal number is M * 10^k.
// Nothing is approximated, so every machine and every standard library gives the same bytes.
// Pure functions: no state, no system calls.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace io {

// The first significant digits of a finite non-zero |x|, cut (not rounded), as an integer of
// `count` digits, and the exponent p of the first: |x| = 0.D1D2... x 10^p.
struct LeadingDigits {
    std::uint64_t digits;
    int exponent;
};
LeadingDigits leading_digits(double x, int count); // 1 <= count <= 18

// A finite x with `places` decimals (no decimal point for 0): the exact value rounded to
// nearest, ties to even, with a minus sign whenever x is negative ("-0.0" included).
std::string fixed_notation(double x, int places);

// A decimal number, [-]digits[.digits][(e|E)[+|-]digits] with a digit before the exponent, to
// the nearest double, ties to even. None when the text is not one such number, or when its
// value is too large for a double or non-zero but rounds to zero.
std::optional<double> parse_decimal(std::string_view text);

} // namespace io
