#pragma once
// The program state: the driver's variables, which live for the whole process and start at 0.

#include <array>
#include <cstdint>

namespace program {

struct ProgramState {
    std::array<double, 100 * 100> A{}; // work matrix, column-major, leading dimension N
    std::array<double, 100> B{};       // right-hand side in, solution out
    std::array<double, 10 * 10> INV{}; // inverse of option 1, leading dimension 10
    double N = 0.0;                    // current order
    std::int32_t Z = 0;                // menu option last read
    double NORM0 = 0.0;                // error norm of option 2
};

// The process's one program state.
ProgramState& program_state();

} // namespace program
