// The driver: the menu loop over the options, with the report unit connected around it.
#include "program/driver.hpp"

#include <string_view>

#include "io/option_read.hpp"
#include "io/records.hpp"
#include "program/runs.hpp"

namespace program {

namespace {

constexpr std::string_view kMenu[] = {
    "Elija una opcion",
    "1. Calculo de la inversa y el determinante, para n=6",
    "2. Calculo del sistema Ax=b, para n=10,20,30,40,50",
    "(Pulse 3 para finalizar)",
};

} // namespace

int run_driver(ProgramState& state, io::UnitTable& units) {
    units.open(kReportUnit, kReportFile);
    state.Z = 1;
    while (state.Z != 3) {
        for (std::string_view line : kMenu) io::write_label(units.console(), line);
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
