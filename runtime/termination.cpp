#include "runtime/termination.hpp"

#include <string_view>

#include "platform/faults.hpp"
#include "platform/io.hpp"
#include "platform/process.hpp"
#include "runtime/error_report.hpp"
#include "runtime/math_error.hpp"
#include "runtime/run_time_state.hpp"
#include "runtime/unreachable.hpp"

namespace runtime {

namespace {

struct Fatal {
    std::string_view text;
    int status;
    bool run_exit_steps;
};

Fatal fatal_of(FatalMessage message) {
    switch (message) {
    case FatalMessage::NoSpaceForExitTable:
        return {"R6024\r\n- not enough space for _onexit/atexit table", 255, false};
    case FatalMessage::StackOverflow:
        return {"R6000\r\n- stack overflow\r\n", platform::exception_status(0xC00000FD), false};
    case FatalMessage::IntegerDivideByZero:
        return {"R6003\r\n- integer divide by 0\r\n", platform::exception_status(0xC0000094), true};
    }
    unreachable();
}

void on_integer_divide() {
    fatal_exit(FatalMessage::IntegerDivideByZero);
}
void on_stack_overflow() {
    fatal_exit(FatalMessage::StackOverflow);
}

} // namespace

void fatal_exit(FatalMessage message) {
    Fatal fatal = fatal_of(message);
    static constexpr std::string_view kHead = "\r\nruntime error ";
    platform::write_all(platform::kStderr, kHead.data(), kHead.size());
    platform::write_all(platform::kStderr, fatal.text.data(), fatal.text.size());
    if (!fatal.run_exit_steps) platform::quick_exit_process(fatal.status);
    run_time_state().ending_with_failure = true;
    platform::exit_process(fatal.status);
}

void start_run_time(const UnitHooks& units) {
    run_time_state().unit_hooks = units;
    if (!platform::at_exit(&close_units_at_exit)) fatal_exit(FatalMessage::NoSpaceForExitTable);
    set_up_float_environment();
    platform::set_integer_divide_handler(&on_integer_divide);
    platform::set_stack_overflow_handler(&on_stack_overflow);
    platform::ignore_write_signals();
}

void close_units_at_exit() {
    RunTimeState& state = run_time_state();
    if (state.closing_at_exit) return;
    state.closing_at_exit = true;
    bool ended_by_report = state.report_made;
    set_statement_kind(StatementKind::Close);
    if (!state.unit_hooks.close_all) return;
    if (std::optional<ErrorCode> fault = state.unit_hooks.close_all()) {
        write_report(*fault);
        // A report made while closing never leaves the process with status 0.
        if (!ended_by_report && !state.ending_with_failure) platform::quick_exit_process(1);
    }
}

} // namespace runtime
