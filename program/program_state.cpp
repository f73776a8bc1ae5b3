// The process's one program state.
#include "program/program_state.hpp"

namespace program {

ProgramState& program_state() {
    static ProgramState state;
    return state;
}

} // namespace program
