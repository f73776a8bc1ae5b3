#pragma once
// Everything the run-time keeps for the whole process, in one place: the statement in progress,
// how the process is ending, and the closing of the units at exit. The report path, the at-exit
// step and the fault handlers all reach it through run_time_state().
//
// It is built on first use (the start-up uses it before anything else) and never destroyed, so
// it is whole for the at-exit step and for a fault that arrives while the process ends.

#include <string>

#include "runtime/statement.hpp"
#include "runtime/termination.hpp"

namespace runtime {

struct Statement {
    StatementKind kind = StatementKind::None;
    std::string unit_name; // "CON" or the name the unit was opened with
};

struct RunTimeState {
    Statement statement;
    bool report_made = false;         // a run-time error report has been written
    bool closing_at_exit = false;     // the at-exit closing of the units has begun
    bool ending_with_failure = false; // the exit in progress already carries a non-zero status
    CloseAllUnits close_all_units = nullptr;
};

RunTimeState& run_time_state();

} // namespace runtime
