#pragma once
// The math-error state of the process and the ways a math error reaches the report: the
// library's error hook matherr, a trapped exception, and FF_mputerr, which builds the report.
//
// The math flag itself lives with the report (set_math_flag), since it picks the letter M.

#include <array>

#include "runtime/math_messages.hpp"

namespace runtime {

// The intrinsic marker of the power operation.
inline constexpr int kPowerIntrinsic = 36;

struct MathErrorState {
    MathCode code = MathCode::TrapInvalid; // the error being reported
    std::array<char, 8> name{};            // the operation, blank-padded (classes only)
    int name_length = 0;
    int intrinsic = 0; // nonzero while an intrinsic operation of the run-time runs
};

// The process's one math-error state.
MathErrorState& math_error_state();

// 1 while an intrinsic operation runs, 0 otherwise.
int InIntrinsic();

// Sets the operation name shown in a report: "pow" is shown as "**", "fmod" as "mod", any
// other name unchanged (up to 8 characters).
void set_operation_name(MathErrorState& state, const char* library_name);

// The error record that the math library hands to its hook.
struct MathErrorRecord {
    MathCode type;    // a library class
    const char* name; // the library function, e.g. "pow"
    double arg1;
    double arg2;
    double retval; // the default result, used when the error is passed over
};

// The hook: returns 1 for UNDERFLOW and PLOSS, which are passed over with the default result;
// reports any other class, which ends the run (it returns 0 only while the units are being
// closed at exit).
int matherr(MathErrorRecord& record);

// Records a trapped exception, sets the math flag and makes the report.
void report_trap(MathCode trap);

// Builds the report from the math-error state and makes it with the statement kind MATH.
void FF_mputerr();

} // namespace runtime
