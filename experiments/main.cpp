#include "experiments/driver.hpp"
#include "io/startup.hpp"
#include "io/unit_table.hpp"
#include "runtime/termination.hpp"

int main() {
    // The run-time's start-up, before the program's own code: the console unit on the standard
    // handles; then the closing of every unit at exit, the floating-point environment and the
    // fault handlers.
    io::install_console_units();
    runtime::start_run_time(io::unit_hooks());
    return experiments::run_driver(experiments::program_state(), io::units());
}
