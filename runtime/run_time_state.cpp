#include "runtime/run_time_state.hpp"

namespace runtime {

RunTimeState& run_time_state() {
    static RunTimeState* const state = new RunTimeState;
    return *state;
}

void begin_statement(StatementKind kind, std::string_view unit_name) {
    Statement& s = run_time_state().statement;
    s.kind = kind;
    s.unit_name.assign(unit_name);
}

void set_statement_kind(StatementKind kind) {
    run_time_state().statement.kind = kind;
}

} // namespace runtime
