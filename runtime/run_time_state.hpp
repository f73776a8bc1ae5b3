#pragma once
// Everything the run-time keeps for the whole process, in one place: the statement in progress,
// the math error being reported, how the process is ending, and the units. The report path,
// the at-exit step and the signal handlers all reach it through run_time_state().
//
// It is built on first use (the start-up uses it before anything else) and never destroyed, so
// it is whole for the at-exit step and for a signal that arrives while the process ends.

#include <array>
#include <cstddef>
#include <optional>
#include <string>

#include "runtime/error_codes.hpp"
#include "runtime/math_error.hpp"
#include "runtime/statement.hpp"

namespace io {
class UnitTable;
}

namespace runtime {

struct Statement {
    StatementKind kind = StatementKind::None;
    std::string unit_name; // "CON" or the name the unit was opened with
};

// What the run-time needs from the units, installed by the start-up: closing every unit at exit,
// which gives back the fault that stopped the closing, if any.
struct UnitHooks {
    std::optional<ErrorCode> (*close_all)() = nullptr;
};

struct RunTimeState {
    Statement statement;
    MathErrorState math;
    bool math_flag = false;           // reports show the letter M while it is set
    bool report_made = false;         // a run-time error report has been written
    bool closing_at_exit = false;     // the at-exit closing of the units has begun
    bool ending_with_failure = false; // the exit in progress already carries a non-zero status
    UnitHooks unit_hooks;
    io::UnitTable* units = nullptr; // the unit table, made by the start-up
};

RunTimeState& run_time_state();

} // namespace runtime
