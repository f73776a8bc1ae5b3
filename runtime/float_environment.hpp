#pragma once
// The floating-point environment in which the program's arithmetic runs: as the start-up sets it
// once, and masked while the run-time's own operations run.

#include "platform/float_environment.hpp"

namespace runtime {

// Rounding to nearest with 53-bit results, as the platform sets them; invalid operation,
// division by zero and overflow unmasked, and on_float_trap registered for them, unless the
// build's arithmetic checks itself (runtime/checked.hpp), which then leaves every exception
// masked; denormal operand, underflow and inexact result masked and silent. Run once by the
// start-up.
void set_up_float_environment();

// Every floating-point exception masked for the scope's lifetime, as the library's own code
// runs; the flags raised meanwhile are dropped with it.
class MaskedFloatScope {
public:
    MaskedFloatScope() : saved_(platform::hold_float_state()) {}
    ~MaskedFloatScope() { platform::restore_float_state(saved_); }
    MaskedFloatScope(const MaskedFloatScope&) = delete;
    MaskedFloatScope& operator=(const MaskedFloatScope&) = delete;

private:
    platform::FloatState saved_;
};

// Runs work in a masked scope, as the run-time's own operations run, and tells whether it
// raised none of the exceptions that are fatal to the program's arithmetic.
template <class Work> bool runs_clean_masked(Work&& work) {
    MaskedFloatScope masked;
    work();
    return !platform::fatal_float_flags_raised();
}

} // namespace runtime
