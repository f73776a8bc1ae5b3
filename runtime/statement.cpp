#include "runtime/statement.hpp"

namespace runtime {

Statement& current_statement() {
    static Statement statement;
    return statement;
}

void begin_statement(StatementKind kind, std::string_view unit_name, bool console_unit) {
    Statement& s = current_statement();
    s.kind = kind;
    s.unit_name.assign(unit_name);
    s.console_unit = console_unit;
}

void set_statement_kind(StatementKind kind) {
    current_statement().kind = kind;
}

} // namespace runtime
