#pragma once
// The driver: connects the report unit, shows the menu, reads the option and runs it, until
// the option 3 is read.

#include "experiments/display.hpp"
#include "experiments/program_state.hpp"
#include "io/unit_table.hpp"

namespace experiments {

// Runs the menu loop; returns the exit status, 0.
int run_driver(ProgramState& state, io::UnitTable& units);

} // namespace experiments
