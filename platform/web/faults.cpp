// The faults in WebAssembly: none is caught. The arithmetic checks each result itself, so no
// floating-point or integer-division fault is left to trap; there are no signals, and a stack
// overflow ends the module in the host, which says so.

#include "platform/fault_entry.hpp"

namespace platform {

void install_arithmetic_fault_entry() {}

void install_stack_overflow_entry() {}

void ignore_write_signals() {}

} // namespace platform
