#pragma once
// Hardware faults: floating-point traps, integer division by zero, stack overflow, and the
// signals of a failed write. The handlers are kept here, alike on every platform (faults.cpp);
// each platform catches the faults and passes them on (fault_entry.hpp).

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

// Floating-point traps go to the float trap handler, integer division by zero (and overflow) to
// the integer-divide handler (SIGFPE on POSIX). A handler must not return to the failing
// instruction; if it does, the platform's default action follows.
void set_float_trap_handler(FloatTrapHandler handler);
void set_integer_divide_handler(FaultHandler handler);

// A fault near the stack's end goes to on_stack_overflow, which runs on a stack of its own; any
// other fault gets the platform's default action. Called from the start-up, on the main thread.
void set_stack_overflow_handler(FaultHandler on_stack_overflow);

// A write to a closed pipe fails with EPIPE, and a write past the file-size limit with EFBIG,
// instead of killing the process: the writer reports them.
void ignore_write_signals();

} // namespace platform
