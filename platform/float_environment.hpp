#pragma once
// The floating-point environment: which exceptions trap, and the sticky flags that the masked
// ones raise.

namespace platform {

// Unmasks exactly invalid operation, division by zero and overflow (x87 and SSE); leaves
// rounding and precision as they are.
void enable_float_traps();

// The environment as hold_float_state saves it, opaque.
struct FloatState {
    unsigned char bytes[32];
};
// Saves the environment, then masks every floating-point exception and clears the sticky flags.
FloatState hold_float_state();
// Puts the saved environment back: the masks as they were, and none of the flags raised since
// the hold.
void restore_float_state(const FloatState& state);

// Whether an invalid operation, a division by zero or an overflow has been raised since the
// flags were last cleared (by hold_float_state, for example).
bool fatal_float_flags_raised();

} // namespace platform
