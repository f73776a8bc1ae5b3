#pragma once
// Math faults and their report. A math fault is a floating-point exception (invalid operation,
// division by zero, overflow), trapped by the processor or found by a check, or an error class of
// the power, as the math library gives it.
//
// An exception is reported as "floating-point error: <word>" with a number 61xx; an error class
// as "<operation>: <WORD> error" with a number 62xx. Either report shows the letter M and the
// category MATH, and ends the run.

#include <string_view>

#include "platform/faults.hpp"

namespace runtime {

// A floating-point exception: the report's number less 6000.
enum class FloatException : int {
    Invalid = 101,
    Denormal = 102,
    DivideByZero = 103,
    Overflow = 104,
    Underflow = 105,
    Inexact = 106,
    StackFault = 110, // the x87 register stack's
};

// The math library's error classes: the report's number less 6200.
enum class MathCode : int {
    Domain = 1,
    Singularity = 2,
    RangeOverflow = 3,
    RangeUnderflow = 4,
};

// Reports a floating-point exception, which ends the run: trapped by the processor
// (on_float_trap), or found by a checked operation (checked.hpp), by an operation on extended
// values (extended.hpp) or by a conversion to an integer (truncate.hpp).
[[noreturn]] void report_math_fault(FloatException exception);

// The handler of a trapped exception: reports it. (The run-time's own operations run with every
// exception masked, so a trap always comes from the program's.)
[[noreturn]] void on_float_trap(platform::FloatTrap trap);

// An error class of the math library's function (pow, shown as "**"): UNDERFLOW passes
// silently, and the caller goes on with the function's default result; any other class is
// reported, which ends the run.
void on_library_error(MathCode error_class, std::string_view function);

} // namespace runtime
