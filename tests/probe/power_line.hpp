#pragma once
// The probe's output of doubles: one line of its powers step, as the probe prints it for the
// program's arithmetic and the tests write it for MPFR's: the power rounded once to 64 bits (its
// kind, sign, significand and exponent) with its error class, then each rounding to double of an
// operation that the power enters, as 16 hex digits and "!" when it overflowed, and the power as
// the program takes it, stored. A NaN shows its
// class alone: its sign and payload are the processor's (the default NaN of x86-64 has the sign
// set, that of 64-bit ARM has it clear), and none reaches the output.

#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <string>

#include "runtime/bit_cast.hpp"
#include "runtime/library_pow.hpp"
#include "runtime/power.hpp"
#include "runtime/rounding.hpp"

// A double's bits as 16 hex digits.
inline std::string hex(double x) {
    char text[20];
    std::snprintf(text, sizeof text, "%016" PRIx64, runtime::bit_cast<std::uint64_t>(x));
    return text;
}

// The power and the roundings of one arithmetic: the program's (runtime::) or MPFR's. power is
// the power as the program takes it, from its memo or computed again.
struct PowerArithmetic {
    runtime::PowResult (*pow)(double x, double y);
    runtime::RoundedDouble (*store)(const runtime::Extended& p);
    runtime::RoundedDouble (*operate)(runtime::Operation op, const runtime::Extended& a,
                                      const runtime::Extended& b);
    runtime::Extended (*power)(double x, double y);
};

// The line for X**Y; previous holds the power of the line before, and receives this one.
inline std::string power_line(const PowerArithmetic& arithmetic, double x, double y, int op,
                              runtime::Extended& previous) {
    const runtime::PowResult p = arithmetic.pow(x, y);
    const runtime::Extended& v = p.value;
    std::string line = std::to_string(int(v.kind())) + " " + std::to_string(v.negative()) + " " +
                       std::to_string(v.significand()) + " " + std::to_string(v.exponent()) + " " +
                       std::to_string(p.error ? int(*p.error) : 0);
    using runtime::Operation;
    for (const runtime::RoundedDouble r :
         {arithmetic.store(v),
          arithmetic.operate(Operation::Subtract, runtime::Extended::from_double(1.0), v),
          arithmetic.operate(Operation(op), previous, v)})
        line += " " + (std::isnan(r.value) ? "nan" : hex(r.value)) + (r.overflow ? "!" : "");
    if (!p.error || p.error == runtime::MathCode::RangeUnderflow) // no fault ends the run
        line += " " + hex(arithmetic.store(arithmetic.power(x, y)).value);
    previous = v;
    return line + "\n";
}
