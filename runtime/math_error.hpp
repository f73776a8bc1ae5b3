#pragma once
// Math errors: the floating-point environment in which the program's arithmetic runs, and the
// ways a math error reaches its report: the library's error hook on_math_library_error (the power's
// error classes) and the trap handler on_float_trap (invalid operation, division by zero,
// overflow).
//
// A math-error code is either a library error class (below 10) or the kind of a trapped
// exception (10 or more). A class is reported as "<operation>: <WORD> error" with a number
// 62xx; a trap as "floating-point error: <word>" with a number 61xx. Either report shows the
// letter M and the category MATH, and ends the run.

#include <array>
#include <cmath>
#include <string>
#include <string_view>

#include "platform/faults.hpp"
#include "platform/float_environment.hpp"

namespace runtime {

enum class MathCode : int {
    // Math-library error classes, as the library hands them to on_math_library_error.
    Domain = 1,
    Singularity = 2,
    RangeOverflow = 3,
    RangeUnderflow = 4,
    // Trapped exceptions: the code is the report number less 6000.
    TrapInvalid = 101,
    TrapDenormal = 102,
    TrapDivideByZero = 103,
    TrapOverflow = 104,
    TrapUnderflow = 105,
    TrapInexact = 106,
    TrapStackOverflow = 110,
};

// The error being reported.
struct MathErrorState {
    MathCode code = MathCode::TrapInvalid;
    std::array<char, 8> name{}; // the operation, blank-padded (classes only)
    int name_length = 0;
};

// Rounding to nearest with 53-bit results, as the platform sets them; invalid operation,
// division by zero and overflow unmasked, and on_float_trap registered for them, unless the
// build's arithmetic checks itself (runtime/checked.hpp), which then leaves every exception
// masked; denormal operand, underflow and inexact result masked and silent. Run once by the
// start-up.
void set_up_float_environment();

// Every floating-point exception masked for the scope's lifetime, as the library's own code
// runs; the flags raised meanwhile are dropped with it.
class MaskedFloatScope {
public:
    MaskedFloatScope() : saved_(platform::hold_float_state()) {}
    ~MaskedFloatScope() { platform::restore_float_state(saved_); }
    MaskedFloatScope(const MaskedFloatScope&) = delete;
    MaskedFloatScope& operator=(const MaskedFloatScope&) = delete;

private:
    platform::FloatState saved_;
};

// Runs work in a masked scope, as the run-time's own operations run, and tells whether it
// raised none of the exceptions that are fatal to the program's arithmetic.
template <class Work> bool runs_clean_masked(Work&& work) {
    MaskedFloatScope masked;
    work();
    return !platform::fatal_float_flags_raised();
}

// The handler of a trapped exception: reports it, which ends the run. (The run-time's own
// operations run with every exception masked, so a trap always comes from the program's.)
[[noreturn]] void on_float_trap(platform::FloatTrap trap);

// The error record that the math library hands to its hook.
struct MathErrorRecord {
    MathCode type;    // a library class
    const char* name; // the library function, e.g. "pow"
    double retval;    // the default result, used when the error is passed over
};

// The hook: returns 1 for UNDERFLOW, which is passed over with the default result;
// any other class is reported, which ends the run.
int on_math_library_error(MathErrorRecord& record);

// Records a trapped exception and reports it, which ends the run.
[[noreturn]] void report_trap(MathCode trap);

// The code of a trap as the processor reports it; a register-stack check counts as overflow.
MathCode trap_code(platform::FloatTrap trap);

struct MathReport {
    int number;
    std::string text;
};

// The report for code; operation is the name shown for a library class ("**" for pow).
MathReport math_report(MathCode code, std::string_view operation);

} // namespace runtime
