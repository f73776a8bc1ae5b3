// The fault handlers, kept alike on every platform; each platform's faults.cpp installs the
// entry point that passes the faults to them.

#include "platform/faults.hpp"

#include "platform/fault_entry.hpp"

namespace platform {

FaultHandlers fault_handlers;

void set_float_trap_handler(FloatTrapHandler handler) {
    fault_handlers.float_trap = handler;
    install_arithmetic_fault_entry();
}

void set_integer_divide_handler(FaultHandler handler) {
    fault_handlers.integer_divide = handler;
    install_arithmetic_fault_entry();
}

void set_stack_overflow_handler(FaultHandler on_stack_overflow) {
    fault_handlers.stack_overflow = on_stack_overflow;
    install_stack_overflow_entry();
}

} // namespace platform
