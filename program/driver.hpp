#pragma once
// The driver: connects the report unit, shows the menu, reads the option and runs it, until
// the option 3 is read.

#include "io/unit_table.hpp"
#include "program/display.hpp"
#include "program/program_state.hpp"

namespace program {

// Runs the menu loop; returns the exit status, 0.
int run_driver(ProgramState& state, io::UnitTable& units);

} // namespace program
