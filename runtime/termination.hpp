#pragma once
// Start-up of the run-time and the ways the process ends.

#include "runtime/run_time_state.hpp"

namespace runtime {

// Takes the units' hooks, registers close_units_at_exit to run at exit, sets the
// floating-point environment, and installs the handlers for stack overflow, integer division by
// zero and broken pipes and the file-size limit. Run once, before the program's own code.
void start_run_time(const UnitHooks& units);

// The at-exit step. Closes every unit still connected. A fault met while
// closing is reported and stops the closing; if the process was ending with status 0, it ends with
// status 1 instead.
void close_units_at_exit();

// The fatal messages of the start-up and the outermost exception handler. Each is written as
// CR LF "runtime error " text, then the process ends with the given status.
enum class FatalMessage {
    NoSpaceForExitTable, // R6024
    StackOverflow,       // R6000
    IntegerDivideByZero, // R6003, the at-exit steps run
};
[[noreturn]] void fatal_exit(FatalMessage message);

} // namespace runtime
