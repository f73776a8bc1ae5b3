#include "experiments/program_state.hpp"

namespace experiments {

ProgramState& program_state() {
    static ProgramState state;
    return state;
}

} // namespace experiments
