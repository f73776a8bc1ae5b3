#pragma once
// The rounding behind the operators on extended values, inside the run-time: an operation's
// exact result, or a value, rounded once to double without any report. The power's paths use it
// to find an overflow of the store; the tests hold it against MPFR.

#include "runtime/extended.hpp"

namespace runtime {

// The rounded value: a result beyond the double range gives the infinity of its sign and sets
// overflow (an infinite operand does not).
struct RoundedDouble {
    double value;
    bool overflow;
};

// a op b and x, rounded once to double (to nearest, ties to even, subnormals included) in
// integer arithmetic on the significands. Invalid operations give a quiet NaN.
RoundedDouble round_operation(Operation op, const Extended& a, const Extended& b);
RoundedDouble round_to_double(const Extended& x);

} // namespace runtime
