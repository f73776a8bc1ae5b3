#pragma once
// The run-time error report: every fault of input, output, start-up or arithmetic ends here.
//
// The report goes to standard error as
//     CR LF "run-time error " letter number category [unit ")" CR LF "- "] message CR LF
// with the letter M for a math error and F for any other; then the process exits with status 1,
// which closes every unit through the at-exit step. Only that closing goes on after a report: a
// fault it meets is reported by report_closing_fault, which does not end the process again.

#include <string_view>

#include "runtime/error_codes.hpp"

namespace runtime {

// Reports the fault of the statement in progress and ends the run.
[[noreturn]] void end_run_with_error(ErrorCode code);

// Reports a math error (its number, 6000 to 6999, and message) under the category MATH and ends
// the run.
[[noreturn]] void end_run_with_math_error(int number, std::string_view message);

// Reports a fault that the closing of the units at exit met, without ending the process.
void report_closing_fault(ErrorCode code);

} // namespace runtime
