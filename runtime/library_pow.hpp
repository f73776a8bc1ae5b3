#pragma once
// The math library's pow, inside the run-time: power() (power.hpp) keeps its results and reports
// its error classes; the tests and benchmarks hold it against MPFR.

#include <optional>

#include "runtime/extended.hpp"
#include "runtime/math_fault.hpp"

namespace runtime {

// A power with its error class, as the math library's pow gives it.
struct PowResult {
    Extended value;                // the power, or the default result after an error
    std::optional<MathCode> error; // the class, if any
};

// The exact power rounded once to a 64-bit significand (to nearest, ties to even), or the error
// class with the default result:
//   DOMAIN: a NaN argument; a base of magnitude 1 with an infinite exponent; a negative base
//           with a finite non-integral exponent (default NaN);
//   SING: a zero base with a negative exponent (default an infinity);
//   OVERFLOW: a result from finite arguments that rounds beyond the double range (default an
//             infinity);
//   UNDERFLOW: a result from finite arguments below the least normal double (default the exact
//              power rounded once to double: a subnormal or zero).
// Other special arguments give their usual results (an infinite base or exponent, a zero base
// with a non-negative exponent). An integral exponent is computed exactly in integer arithmetic
// (fast_pow.hpp, then integral_power.hpp); a non-integral one by the platform's math library in
// its widest floating type, rounded once to 64 bits (the program never takes such a power).
PowResult library_pow(double x, double y);

} // namespace runtime
