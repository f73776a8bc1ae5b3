#include "runtime/startup.hpp"

#include "platform/faults.hpp"
#include "platform/process.hpp"
#include "runtime/float_environment.hpp"
#include "runtime/run_time_state.hpp"
#include "runtime/termination.hpp"

namespace runtime {

namespace {

void on_integer_divide() {
    fatal_exit(FatalMessage::IntegerDivideByZero);
}
void on_stack_overflow() {
    fatal_exit(FatalMessage::StackOverflow);
}

} // namespace

void start_run_time(CloseAllUnits close_all_units) {
    run_time_state().close_all_units = close_all_units;
    if (!platform::at_exit(&close_units_at_exit)) fatal_exit(FatalMessage::NoSpaceForExitTable);
    set_up_float_environment();
    platform::set_integer_divide_handler(&on_integer_divide);
    platform::set_stack_overflow_handler(&on_stack_overflow);
    platform::ignore_write_signals();
}

} // namespace runtime
