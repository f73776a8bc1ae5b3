#include "runtime/math_error.hpp"

#include <algorithm>
#include <utility>

#include "runtime/checked.hpp"
#include "runtime/error_report.hpp"
#include "runtime/run_time_state.hpp"
#include "runtime/unreachable.hpp"

namespace runtime {

namespace {

bool is_library_class(MathCode code) {
    return static_cast<int>(code) < 10;
}

struct Entry {
    std::string_view word;
    int number;
};

Entry entry_of(MathCode code) {
    switch (code) {
    case MathCode::Domain: return {"DOMAIN", 6201};
    case MathCode::Singularity: return {"SING", 6202};
    case MathCode::RangeOverflow: return {"OVERFLOW", 6203};
    case MathCode::RangeUnderflow: return {"UNDERFLOW", 6204};
    case MathCode::TrapInvalid: return {"invalid", 6101};
    case MathCode::TrapDenormal: return {"denormal", 6102};
    case MathCode::TrapDivideByZero: return {"divide by zero", 6103};
    case MathCode::TrapOverflow: return {"overflow", 6104};
    case MathCode::TrapUnderflow: return {"underflow", 6105};
    case MathCode::TrapInexact: return {"inexact", 6106};
    case MathCode::TrapStackOverflow: return {"stack overflow", 6110};
    }
    unreachable();
}

// The operation name a report shows: "pow" as "**", any other name as it is, up to 8
// characters.
void set_operation_name(MathErrorState& state, std::string_view name) {
    if (name == "pow") name = "**";
    name = name.substr(0, std::min(name.size(), state.name.size()));
    state.name.fill(' ');
    std::copy(name.begin(), name.end(), state.name.begin());
    state.name_length = static_cast<int>(name.size());
}

// The report of the error in the math-error state, under the statement kind MATH.
[[noreturn]] void end_run_with_math_report() {
    RunTimeState& s = run_time_state();
    s.math_flag = true;
    std::string_view operation(s.math.name.data(), static_cast<std::size_t>(s.math.name_length));
    MathReport report = math_report(s.math.code, operation);
    set_statement_kind(StatementKind::Math);
    end_run_with_report(report.number, report.text);
}

} // namespace

void set_up_float_environment() {
    platform::set_float_trap_handler(&on_float_trap);
    // Where the arithmetic checks itself, the traps stay masked: the checks alone report, in the
    // order of the operations, also on a processor that would trap an operation the compiler
    // has moved ahead of an earlier one's check.
    if (!kArithmeticChecked) platform::enable_float_traps();
}

void on_float_trap(platform::FloatTrap trap) {
    report_trap(trap_code(trap));
}

int on_math_library_error(MathErrorRecord& record) {
    if (record.type == MathCode::RangeUnderflow) return 1;
    MathErrorState& state = run_time_state().math;
    state.code = record.type;
    set_operation_name(state, record.name);
    end_run_with_math_report();
}

void report_trap(MathCode trap) {
    run_time_state().math.code = trap;
    end_run_with_math_report();
}

MathCode trap_code(platform::FloatTrap trap) {
    switch (trap) {
    case platform::FloatTrap::Invalid: return MathCode::TrapInvalid;
    case platform::FloatTrap::Denormal: return MathCode::TrapDenormal;
    case platform::FloatTrap::DivideByZero: return MathCode::TrapDivideByZero;
    case platform::FloatTrap::Overflow: return MathCode::TrapOverflow;
    case platform::FloatTrap::Underflow: return MathCode::TrapUnderflow;
    case platform::FloatTrap::Inexact: return MathCode::TrapInexact;
    case platform::FloatTrap::StackCheck: return MathCode::TrapStackOverflow;
    }
    unreachable();
}

MathReport math_report(MathCode code, std::string_view operation) {
    Entry entry = entry_of(code);
    std::string text;
    if (is_library_class(code))
        text.append(operation).append(": ").append(entry.word).append(" error");
    else
        text.append("floating-point error: ").append(entry.word);
    return {entry.number, std::move(text)};
}

} // namespace runtime
