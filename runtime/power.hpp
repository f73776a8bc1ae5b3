#pragma once
// The power operation x**y.

#include "runtime/extended.hpp"

namespace runtime {

// x**y as the program uses it: the exact power rounded once to a 64-bit significand (to
// nearest, ties to even), computed by library_pow (library_pow.hpp). An error class goes to
// on_library_error (math_fault.hpp): UNDERFLOW is passed over with its default result, every
// other class ends the run with its report ("**: DOMAIN error", ...). A result without error
// that was computed before for the same arguments is taken from a small fixed table.
Extended power(double x, double y);

} // namespace runtime
