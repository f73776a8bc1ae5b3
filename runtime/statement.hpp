#pragma once
// The statement in progress: its kind picks the report category, and its unit names the file
// that a report shows. One statement runs at a time, so there is one for the process, kept in
// the run-time's state.

#include <string_view>

namespace runtime {

enum class StatementKind : int {
    None = 0,
    Close = 1, // also the closing of units at exit
    Write = 2,
    Open = 6,
    Read = 7,
    Math = 15,
    StartUp = 16,
};

// Starts a statement of the given kind on the named unit.
void begin_statement(StatementKind kind, std::string_view unit_name);

// Changes the kind only, keeping the unit (the math-error path and the exit's closing).
void set_statement_kind(StatementKind kind);

} // namespace runtime
