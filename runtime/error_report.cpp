#include "runtime/error_report.hpp"

#include <string>

#include "platform/io.hpp"
#include "platform/process.hpp"
#include "runtime/run_time_state.hpp"
#include "runtime/unreachable.hpp"

namespace runtime {

namespace {

// Where reports go.
constexpr platform::Handle kReportOutput = platform::kStderr;

// The report category of a statement kind, and whether the unit name follows it.
struct Category {
    std::string_view text;
    bool names_unit;
};

Category category_of(StatementKind kind) {
    switch (kind) {
    case StatementKind::Close: return {": CLOSE(", true};
    case StatementKind::Write: return {": WRITE(", true};
    case StatementKind::Open: return {": OPEN(", true};
    case StatementKind::Read: return {": READ(", true};
    case StatementKind::Math: return {": MATH\r\n- ", false};
    case StatementKind::StartUp:
    case StatementKind::None: return {"\r\n- ", false};
    }
    unreachable();
}

// Writes the report of the statement in progress: letter, number and message.
void write_error_report(char letter, int number, std::string_view message) {
    RunTimeState& state = run_time_state();
    const Statement& statement = state.statement;
    Category category = category_of(statement.kind);

    std::string report = "\r\nrun-time error ";
    report += letter;
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
    platform::write_all(kReportOutput, report.data(), report.size());
    state.report_made = true;
}

void write_error_report(ErrorCode code) {
    const ErrorInfo& info = error_info(code);
    write_error_report('F', info.number, info.message);
}

} // namespace

void end_run_with_error(ErrorCode code) {
    write_error_report(code);
    platform::exit_process(1);
}

void end_run_with_math_error(int number, std::string_view message) {
    set_statement_kind(StatementKind::Math);
    write_error_report('M', number, message);
    platform::exit_process(1);
}

void report_closing_fault(ErrorCode code) {
    write_error_report(code);
}

} // namespace runtime
