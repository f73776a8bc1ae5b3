#include "runtime/termination.hpp"

#include <string_view>

#include "platform/io.hpp"
#include "platform/process.hpp"
#include "runtime/error_report.hpp"
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

void close_units_at_exit() {
    RunTimeState& state = run_time_state();
    if (state.closing_at_exit) return;
    state.closing_at_exit = true;
    bool ended_by_report = state.report_made;
    set_statement_kind(StatementKind::Close);
    if (!state.close_all_units) return;
    if (std::optional<ErrorCode> fault = state.close_all_units()) {
        report_closing_fault(*fault);
        // A report made while closing never leaves the process with status 0.
        if (!ended_by_report && !state.ending_with_failure) platform::quick_exit_process(1);
    }
}

} // namespace runtime
