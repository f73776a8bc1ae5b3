#pragma once
// Between faults.cpp, which keeps the handlers the program sets, and each platform's
// faults.cpp, which catches the faults: the platform installs its entry point, and the entry
// point passes each fault to the handler set for it, if any.

#include "platform/faults.hpp"

namespace platform {

// The handlers set; null until set. Read by the entry point, in a signal handler on POSIX.
struct FaultHandlers {
    FloatTrapHandler float_trap = nullptr;
    FaultHandler integer_divide = nullptr;
    FaultHandler stack_overflow = nullptr;
};
extern FaultHandlers fault_handlers;

// Installs the entry point of floating-point traps and integer division; installing it again
// changes nothing.
void install_arithmetic_fault_entry();

// Finds what tells a stack overflow and installs its entry point; from the start-up, on the
// main thread.
void install_stack_overflow_entry();

} // namespace platform
