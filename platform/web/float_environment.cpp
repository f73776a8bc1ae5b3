// The floating-point environment of WebAssembly: round to nearest, no traps and no sticky
// flags. A computation cannot tell afterwards that it met a fault, so the flags are said to be
// raised: the fast forms of the factorisation and the substitution are then always followed by
// the method's order, whose checks report the first fault, or find none.

#include "platform/float_environment.hpp"

namespace platform {

void enable_float_traps() {}

FloatState hold_float_state() {
    return {};
}

void restore_float_state(const FloatState&) {}

bool fatal_float_flags_raised() {
    return true;
}

} // namespace platform
