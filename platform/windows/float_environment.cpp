// The floating-point environment of both units that a program may use: SSE (MXCSR) and x87.

#include "platform/float_environment.hpp"

#include <cstring>

#include <xmmintrin.h>

namespace platform {

namespace {

// The exception bits, in the same order in the flags and the masks of the x87 control and
// status words and of MXCSR: invalid, denormal, divide by zero, overflow, underflow, inexact.
constexpr unsigned kAllExceptions = 0x3F;
constexpr unsigned kFatalExceptions = 0x01 | 0x04 | 0x08;
constexpr unsigned kMxcsrMaskShift = 7; // MXCSR keeps its masks 7 bits above its flags

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

} // namespace

void enable_float_traps() {
    const unsigned mxcsr = _mm_getcsr() & ~kAllExceptions;
    _mm_setcsr(mxcsr & ~(kFatalExceptions << kMxcsrMaskShift));
    set_x87_control(static_cast<unsigned short>(x87_control() & ~kFatalExceptions));
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

} // namespace platform
