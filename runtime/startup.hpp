#pragma once
// The run-time's start-up.

#include "runtime/termination.hpp"

namespace runtime {

// Takes the closing of the units and registers close_units_at_exit to run it at exit, sets the
// floating-point environment, installs the handlers of stack overflow and integer division by
// zero, and makes a write to a broken pipe or past the file-size limit fail instead of ending
// the process. Run once, before the program's own code.
void start_run_time(CloseAllUnits close_all_units);

} // namespace runtime
