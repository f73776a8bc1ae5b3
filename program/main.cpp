// The program: the run-time's start-up, then the driver on the process's one program state.
#include "io/startup.hpp"
#include "io/unit_table.hpp"
#include "platform/process.hpp"
#include "program/driver.hpp"
#include "runtime/termination.hpp"

int main() {
    // The run-time's start-up, before the program's own code: the console unit on the standard
    // handles; then the closing of every unit at exit, the floating-point environment and the
    // fault handlers.
    io::install_console_units();
    runtime::start_run_time(io::unit_hooks());
    // Ends through the exit steps, as a return from main would, also where main has yielded to
    // its host while it waited for input (WebAssembly), which a return would skip.
    platform::exit_process(program::run_driver(program::program_state(), io::units()));
}
