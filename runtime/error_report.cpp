#include "runtime/error_report.hpp"

#include <string>

#include "platform/io.hpp"
#include "platform/process.hpp"
#include "runtime/messages.hpp"
#include "runtime/statement.hpp"
#include "runtime/termination.hpp"

namespace runtime {

namespace {

// FFherrout: where reports go.
constexpr int FFherrout = platform::kStderr;

bool g_math_flag = false;
bool g_report_made = false;
UnitHooks g_hooks;

// FFopertab: the report category of a statement kind, and whether the unit name follows it.
struct Category {
    std::string_view text;
    bool names_unit;
};

Category FFopertab(StatementKind kind) {
    switch (kind) {
    case StatementKind::Close: return {": CLOSE(", true};
    case StatementKind::Write: return {": WRITE(", true};
    case StatementKind::Open: return {": OPEN(", true};
    case StatementKind::Read: return {": READ(", true};
    case StatementKind::Math: return {": MATH\r\n- ", false};
    case StatementKind::StartUp:
    case StatementKind::None: break;
    }
    return {"\r\n- ", false};
}

bool is_unit_statement(StatementKind kind) {
    return kind == StatementKind::Close || kind == StatementKind::Write ||
           kind == StatementKind::Read || kind == StatementKind::Open;
}

} // namespace

void set_math_flag(bool on) {
    g_math_flag = on;
}
bool math_flag() {
    return g_math_flag;
}
bool report_made() {
    return g_report_made;
}

void install_unit_hooks(const UnitHooks& hooks) {
    g_hooks = hooks;
}
const UnitHooks& unit_hooks() {
    return g_hooks;
}

void FF_error(ErrorCode code) {
    const Statement& statement = current_statement();
    if (is_unit_statement(statement.kind) && statement.console_unit && g_hooks.console_fault)
        g_hooks.console_fault();
    FF_puterr(displayed_number(code), FRerror(code));
}

void FF_puterr(int number, std::string_view message) {
    const Statement& statement = current_statement();
    Category category = FFopertab(statement.kind);

    std::string report = "\r\nrun-time error ";
    report += g_math_flag ? 'M' : 'F';
    report += std::to_string(number);
    report += category.text;
    if (category.names_unit) {
        report += statement.unit_name;
        report += message.empty() ? ")\r\n" : ")\r\n- ";
    }
    report += message;
    report += "\r\n";
    // The report's own writes are not examined: a report that cannot be written still ends
    // the run with status 1.
    platform::write_all(FFherrout, report.data(), report.size());

    // The math flag lasts until its report is made: a fault found later, while the units are
    // closed, is a fault of input or output again.
    g_math_flag = false;
    g_report_made = true;
    if (!FFTerminate()) platform::exit_process(1);
}

} // namespace runtime
