#pragma once
// The run-time error report: every fault of input, output, start-up or arithmetic ends here.
//
// The report goes to standard error as
//     CR LF "run-time error " letter number category [unit ")" CR LF "- "] message CR LF
// and then the process exits with status 1, which closes every unit through the at-exit step.
// Only that closing goes on after a fault: it gets the fault back from the units and reports it
// with write_report, which does not end the process a second time.

#include <string_view>

#include "runtime/error_codes.hpp"

namespace runtime {

// Reports the fault for the statement in progress and ends the run.
[[noreturn]] void end_run_with_error(ErrorCode code);

// Writes the report for number (6000 to 6999) and message and ends the run.
[[noreturn]] void end_run_with_report(int number, std::string_view message);

// Writes the report for the fault of the statement in progress without ending the process.
void write_report(ErrorCode code);

} // namespace runtime
