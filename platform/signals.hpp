#pragma once
// Hardware faults delivered as signals: floating-point traps, integer division by zero, stack
// overflow, and the broken-pipe signal.

namespace platform {

// A trapped floating-point exception, as the processor reports it.
enum class FloatTrap {
    Invalid,
    Denormal,
    DivideByZero,
    Overflow,
    Underflow,
    Inexact,
    StackCheck, // x87 register-stack fault
};

using FloatTrapHandler = void (*)(FloatTrap);
using FaultHandler = void (*)();

// Unmasks exactly invalid operation, division by zero and overflow (x87 and SSE); leaves
// rounding and precision as they are.
void enable_float_traps();

// Whether invalid operation, division by zero and overflow all trap now, as the processor's
// control register reads back: most 64-bit ARM cores, and qemu, keep them masked whatever is
// asked of them.
bool float_traps_work();

// Masks every floating-point exception and clears the sticky flags; returns an opaque state to
// give back to restore_float_state.
struct FloatState {
    unsigned char bytes[32];
};
FloatState hold_float_state();
void restore_float_state(const FloatState& state);

// Whether an invalid operation, a division by zero or an overflow has been raised since the
// flags were last cleared (by hold_float_state, for example).
bool fatal_float_flags_raised();

// SIGFPE: floating-point traps go to the float trap handler, integer division by zero (and
// overflow) to the integer-divide handler. A handler must not return to the failing
// instruction; if it does, the platform's default action follows.
void set_float_trap_handler(FloatTrapHandler handler);
void set_integer_divide_handler(FaultHandler handler);

// SIGSEGV on an alternate stack: a fault near the stack's end goes to on_stack_overflow; any
// other fault gets the platform's default action. Called from the start-up, on the main thread.
void set_stack_overflow_handler(FaultHandler on_stack_overflow);

// A write to a closed pipe fails with EPIPE, and a write past the file-size limit with EFBIG,
// instead of killing the process: the writer reports them.
void ignore_write_signals();

} // namespace platform
