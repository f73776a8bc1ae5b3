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

void write_report(int number, std::string_view message) {
    RunTimeState& state = run_time_state();
    const Statement& statement = state.statement;
    Category category = category_of(statement.kind);

    std::string report = "\r\nrun-time error ";
    report += state.math_flag ? 'M' : 'F';
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

    // The math flag lasts until its report is made: a fault found later, while the units are
    // closed, is a fault of input or output again.
    state.math_flag = false;
    state.report_made = true;
}

} // namespace

void write_report(ErrorCode code) {
    const ErrorInfo& info = error_info(code);
    write_report(info.number, info.message);
}

void end_run_with_error(ErrorCode code) {
    write_report(code);
    platform::exit_process(1);
}

void end_run_with_report(int number, std::string_view message) {
    write_report(number, message);
    platform::exit_process(1);
}

} // namespace runtime
