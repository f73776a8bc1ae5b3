#pragma once
// The input/output side of the run-time's start-up.

#include "runtime/run_time_state.hpp"

namespace io {

// Creates the unit table with the console unit on the standard handles and makes it the one the
// run-time reaches. A lack of memory ends the start-up with its report.
void install_console_units();

// What the run-time needs from the installed units: closing them all at exit.
runtime::UnitHooks unit_hooks();

} // namespace io
