// The driver: the menu loop over the options, with the report unit connected around it.
#include "program/driver.hpp"

#include "io/option_read.hpp"
#include "program/display.hpp"
#include "program/runs.hpp"

namespace program {

int run_driver(ProgramState& state, io::UnitTable& units) {
    units.open(kReportUnit, kReportFile);
    state.Z = 1;
    while (state.Z != 3) {
        show_menu(units.console());
        io::read_option(units, state.Z);
        if (state.Z == 1)
            run_inverse_and_determinant(state, units);
        else if (state.Z == 2)
            run_accuracy_sweep(state, units);
    }
    units.close(kReportUnit);
    return 0;
}

} // namespace program
