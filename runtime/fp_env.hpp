#pragma once
// The floating-point environment and the math-error reports.

#include "platform/signals.hpp"

namespace runtime {

// Unmasks invalid operation, division by zero and overflow (fatal), leaves denormal, underflow
// and inexact masked, and registers MathSignal for the trapped exceptions. Run by the start-up.
void FixMathExceptions();

// The handler of a trapped exception: reports it and ends the run.
void MathSignal(platform::FloatTrap trap);

} // namespace runtime
