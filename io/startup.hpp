#pragma once
// The run-time start-up: run once, before the program's own code.

namespace io {

// Creates the console unit on the standard handles, connects the unit table to the run-time's
// report path, and starts the run-time (at-exit closing, floating-point environment, fault
// handlers).
void start_runtime();

} // namespace io
