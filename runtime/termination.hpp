#pragma once
// The ways the process ends besides a run-time error report: the closing of the units at exit,
// and the fatal messages.

#include <optional>

#include "runtime/error_codes.hpp"

namespace runtime {

// The one thing the run-time needs from the units, given by the start-up: closing every unit,
// which gives back the fault that stopped the closing, if any.
using CloseAllUnits = std::optional<ErrorCode> (*)();

// The at-exit step: closes every unit still connected. A fault met while closing is reported and
// stops the closing; if the process was ending with status 0, it ends with status 1 instead.
void close_units_at_exit();

// The fatal messages: the start-up's when there is no room to register the at-exit step, and
// those of a stack overflow and of an integer division by zero. Each is written as
// CR LF "runtime error " text, then the process ends with its status: at once, or (an integer
// division by zero) through the at-exit step.
enum class FatalMessage {
    NoSpaceForExitTable, // R6024
    StackOverflow,       // R6000
    IntegerDivideByZero, // R6003, the at-exit steps run
};
[[noreturn]] void fatal_exit(FatalMessage message);

} // namespace runtime
