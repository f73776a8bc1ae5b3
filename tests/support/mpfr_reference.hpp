#pragma once
// MPFR as the reference for the run-time's arithmetic: the power with its error classes, and the
// operations on extended values rounded once to double.

#include "runtime/library_pow.hpp"
#include "runtime/rounding.hpp"

namespace mpfr_reference {

// runtime::library_pow computed by MPFR.
runtime::PowResult library_pow(double x, double y);

// runtime::round_operation and runtime::round_to_double computed by MPFR.
runtime::RoundedDouble round_operation(runtime::Operation op, const runtime::Extended& a,
                                       const runtime::Extended& b);
runtime::RoundedDouble round_to_double(const runtime::Extended& x);

} // namespace mpfr_reference
