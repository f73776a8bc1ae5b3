// The faults as exceptions, caught by a vectored exception handler that runs first for every
// exception of the process.

#include "platform/fault_entry.hpp"

#include <windows.h>
#include <xmmintrin.h>

namespace platform {

namespace {

constexpr unsigned kMxcsrDefault = 0x1F80; // every exception masked, round to nearest

void on_float_trap(FloatTrap trap) {
    if (!fault_handlers.float_trap) return;
    // The handler starts from a clean state, every exception masked, as a signal handler
    // does on POSIX.
    _mm_setcsr(kMxcsrDefault);
    asm volatile("fninit");
    fault_handlers.float_trap(trap);
}

void on_fault(FaultHandler handler) {
    if (handler) handler();
}

// A handler that returns passes the exception on: the platform's default action follows.
LONG CALLBACK on_exception(EXCEPTION_POINTERS* info) {
    switch (info->ExceptionRecord->ExceptionCode) {
    case EXCEPTION_FLT_INVALID_OPERATION: on_float_trap(FloatTrap::Invalid); break;
    case EXCEPTION_FLT_DIVIDE_BY_ZERO: on_float_trap(FloatTrap::DivideByZero); break;
    case EXCEPTION_FLT_OVERFLOW: on_float_trap(FloatTrap::Overflow); break;
    case EXCEPTION_FLT_UNDERFLOW: on_float_trap(FloatTrap::Underflow); break;
    case EXCEPTION_FLT_INEXACT_RESULT: on_float_trap(FloatTrap::Inexact); break;
    case EXCEPTION_FLT_DENORMAL_OPERAND: on_float_trap(FloatTrap::Denormal); break;
    case EXCEPTION_FLT_STACK_CHECK: on_float_trap(FloatTrap::StackCheck); break;
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
    case EXCEPTION_INT_OVERFLOW: on_fault(fault_handlers.integer_divide); break;
    case EXCEPTION_STACK_OVERFLOW: on_fault(fault_handlers.stack_overflow); break;
    default: break;
    }
    return EXCEPTION_CONTINUE_SEARCH;
}

// One handler for every fault, installed once.
void install_exception_handler() {
    static const bool installed = AddVectoredExceptionHandler(1, on_exception) != nullptr;
    (void)installed;
}

} // namespace

void install_arithmetic_fault_entry() {
    install_exception_handler();
}

void install_stack_overflow_entry() {
    // Room on the overflowed stack for the handler to write its message and end the process.
    ULONG guarantee = 64 * 1024;
    SetThreadStackGuarantee(&guarantee);
    install_exception_handler();
}

// Windows has no signal for a closed pipe or a file-size limit: a write that meets one fails
// with its error, which the writer reports.
void ignore_write_signals() {}

} // namespace platform
