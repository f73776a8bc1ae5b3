#pragma once
// The math-error codes and the text and number of their reports.
//
// A code is either a math-library error class (below 10) or the kind of a trapped exception
// (10 or more). A class reads "<operation>: <WORD> error" with a number 62xx; a trap reads
// "floating-point error: <word>" with a number 61xx.

#include <string>
#include <string_view>

#include "platform/signals.hpp"

namespace runtime {

enum class MathCode : int {
    // Math-library error classes, as the library hands them to matherr.
    Domain = 1,
    Singularity = 2,
    RangeOverflow = 3,
    RangeUnderflow = 4,
    TotalLoss = 5,
    PartialLoss = 6,
    // Trapped exceptions: the code is the report number less 6000.
    TrapInvalid = 101,
    TrapDenormal = 102,
    TrapDivideByZero = 103,
    TrapOverflow = 104,
    TrapUnderflow = 105,
    TrapInexact = 106,
    TrapSquareRoot = 108,
    TrapStackOverflow = 110,
    TrapStackUnderflow = 111,
};

inline bool is_library_class(MathCode code) {
    return static_cast<int>(code) < 10;
}

// The code of a trap as the processor reports it; a register-stack check counts as overflow.
MathCode trap_code(platform::FloatTrap trap);

struct MathReport {
    int number;
    std::string text;
};

// The report for code; operation names the library function (classes only).
MathReport math_report(MathCode code, std::string_view operation);

} // namespace runtime
