#include "platform/signals.hpp"

#include <cstring>

#include <windows.h>
#include <xmmintrin.h>

namespace platform {

namespace {

// The exception bits, in the same order in the flags and the masks of the x87 control and
// status words and of MXCSR: invalid, denormal, divide by zero, overflow, underflow, inexact.
constexpr unsigned kAllExceptions = 0x3F;
constexpr unsigned kFatalExceptions = 0x01 | 0x04 | 0x08;
constexpr unsigned kMxcsrMaskShift = 7;    // MXCSR keeps its masks 7 bits above its flags
constexpr unsigned kMxcsrDefault = 0x1F80; // every exception masked, round to nearest

unsigned short x87_control() {
    unsigned short word;
    asm volatile("fnstcw %0" : "=m"(word));
    return word;
}

unsigned short x87_status() {
    unsigned short word;
    asm volatile("fnstsw %0" : "=m"(word));
    return word;
}

// Clears the x87 flags first, so that no pending exception traps once it is unmasked.
void set_x87_control(unsigned short word) {
    asm volatile("fnclex\n\tfldcw %0" : : "m"(word));
}

struct SavedControl {
    unsigned mxcsr;
    unsigned short x87;
};
static_assert(sizeof(SavedControl) <= sizeof(FloatState::bytes));

FloatTrapHandler float_handler = nullptr;
FaultHandler integer_divide_handler = nullptr;
FaultHandler stack_overflow_handler = nullptr;

void on_float_trap(FloatTrap trap) {
    if (!float_handler) return;
    // The handler starts from a clean state, every exception masked, as a signal handler
    // does on POSIX.
    _mm_setcsr(kMxcsrDefault);
    asm volatile("fninit");
    float_handler(trap);
}

// Runs first for every exception of the process. A handler that returns passes the exception
// on: the platform's default action follows.
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
    case EXCEPTION_INT_OVERFLOW:
        if (integer_divide_handler) integer_divide_handler();
        break;
    case EXCEPTION_STACK_OVERFLOW:
        if (stack_overflow_handler) stack_overflow_handler();
        break;
    default: break;
    }
    return EXCEPTION_CONTINUE_SEARCH;
}

void install_exception_handler() {
    static const bool installed = AddVectoredExceptionHandler(1, on_exception) != nullptr;
    (void)installed;
}

} // namespace

void enable_float_traps() {
    const unsigned mxcsr = _mm_getcsr() & ~kAllExceptions;
    _mm_setcsr(mxcsr & ~(kFatalExceptions << kMxcsrMaskShift));
    set_x87_control(static_cast<unsigned short>(x87_control() & ~kFatalExceptions));
}

bool float_traps_work() {
    const bool sse = ((_mm_getcsr() >> kMxcsrMaskShift) & kFatalExceptions) == 0;
    return sse && (x87_control() & kFatalExceptions) == 0;
}

FloatState hold_float_state() {
    const SavedControl saved{_mm_getcsr(), x87_control()};
    FloatState state{};
    std::memcpy(state.bytes, &saved, sizeof saved);
    _mm_setcsr((saved.mxcsr | (kAllExceptions << kMxcsrMaskShift)) & ~kAllExceptions);
    set_x87_control(static_cast<unsigned short>(saved.x87 | kAllExceptions));
    return state;
}

void restore_float_state(const FloatState& state) {
    SavedControl saved;
    std::memcpy(&saved, state.bytes, sizeof saved);
    _mm_setcsr(saved.mxcsr); // the flags raised meanwhile are dropped with the masked state
    set_x87_control(saved.x87);
}

bool fatal_float_flags_raised() {
    return ((_mm_getcsr() | x87_status()) & kFatalExceptions) != 0;
}

void set_float_trap_handler(FloatTrapHandler handler) {
    float_handler = handler;
    install_exception_handler();
}

void set_integer_divide_handler(FaultHandler handler) {
    integer_divide_handler = handler;
    install_exception_handler();
}

void set_stack_overflow_handler(FaultHandler on_stack_overflow) {
    stack_overflow_handler = on_stack_overflow;
    // Room on the overflowed stack for the handler to write its message and end the process.
    ULONG guarantee = 64 * 1024;
    SetThreadStackGuarantee(&guarantee);
    install_exception_handler();
}

// Windows has no signal for a closed pipe or a file-size limit: a write that meets one fails
// with its error, which the writer reports.
void ignore_write_signals() {}

} // namespace platform
