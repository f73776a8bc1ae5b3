// The program: the run-time's start-up, then the driver on the process's one program state.
#include <cstdlib>

#include "io/startup.hpp"
#include "io/unit_table.hpp"
#include "program/driver.hpp"
#include "runtime/startup.hpp"

int main() {
    // The run-time's start-up, before the program's own code: the console unit on the standard
    // handles; then the closing of every unit at exit, the floating-point environment and the
    // fault handlers.
    io::install_console_units();
    runtime::start_run_time(&io::close_all_units);
    // Ends through the exit steps, as a return from main would, also where main has yielded to
    // its host while it waited for input (WebAssembly), which a return would skip.
    std::exit(program::run_driver(program::program_state(), io::units()));
}
