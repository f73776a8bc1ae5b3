#pragma once
// The statement in progress: its kind picks the report category, and its unit names the file
// that a report shows. One statement runs at a time, so there is one state for the process.

#include <string>
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

struct Statement {
    StatementKind kind = StatementKind::None;
    std::string unit_name;     // FFfilename: "CON" or the name the unit was opened with
    bool console_unit = false; // the statement works on the console unit
};

// The process's one statement state.
Statement& current_statement();

// Starts a statement of the given kind on the named unit.
void begin_statement(StatementKind kind, std::string_view unit_name, bool console_unit);

// Changes the kind only, keeping the unit (the math-error path and the exit's closing).
void set_statement_kind(StatementKind kind);

} // namespace runtime
