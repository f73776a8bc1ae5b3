#pragma once
// The run-time error report: every fault of input, output, start-up or arithmetic ends here.
//
// The report goes to standard error as
//     CR LF "run-time error " letter number category [unit ")" CR LF "- "] message CR LF
// and then the process exits with status 1, which closes every unit through the at-exit step.

#include <string_view>

#include "runtime/error_codes.hpp"

namespace runtime {

// FF_error: reports the fault named by code for the statement in progress. It returns only
// while the units are being closed at exit, so that the closing can stop at the failing unit.
void FF_error(ErrorCode code);

// FF_puterr: writes the report for number (6000 to 6999) and message, then ends the process
// with status 1, unless the units are already being closed at exit.
void FF_puterr(int number, std::string_view message);

// The math flag: while it is set, reports show the letter M instead of F.
void set_math_flag(bool on);
bool math_flag();

// A report has been made during this process.
bool report_made();

// What the report path needs from the units, installed by the start-up: closing every unit at
// exit, and forgetting an unfinished console record after a console fault.
struct UnitHooks {
    void (*close_all)() = nullptr;
    void (*console_fault)() = nullptr;
};
void install_unit_hooks(const UnitHooks& hooks);
const UnitHooks& unit_hooks();

} // namespace runtime
