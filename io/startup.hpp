#pragma once
// The input/output side of the run-time's start-up.

#include <optional>

#include "runtime/error_codes.hpp"

namespace io {

// Creates the unit table with the console unit on the standard handles and makes it the one the
// run-time reaches. A lack of memory ends the start-up with its report.
void install_console_units();

// Closes every unit of the process's table (UnitTable::close_all): the run-time's start-up
// takes it for the closing at exit.
std::optional<runtime::ErrorCode> close_all_units();

} // namespace io
