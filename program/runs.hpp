#pragma once
// The two runs the menu offers. Each works on the program state and writes to the console and
// the report unit.

#include "io/unit_table.hpp"
#include "program/program_state.hpp"

namespace program {

// Option 1: the 6 x 6 test matrix, its factors, determinant and inverse.
void run_inverse_and_determinant(ProgramState& state, io::UnitTable& units);

// Option 2: the error norms of the solutions for orders 10 to 50, both matrix kinds.
void run_accuracy_sweep(ProgramState& state, io::UnitTable& units);

} // namespace program
