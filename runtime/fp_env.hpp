#pragma once
// The floating-point environment: rounding to nearest with 53-bit results as the platform sets
// them; invalid operation, division by zero and overflow trapped and fatal; denormal operand,
// underflow and inexact result masked and silent.

#include "platform/signals.hpp"

namespace runtime {

// Unmasks invalid operation, division by zero and overflow, leaves the other masks, the
// rounding and the precision as they are, and registers MathSignal. Run once by the start-up.
void FixMathExceptions();

// The handler of a trapped exception. Outside an intrinsic it reports the trap, which ends the
// run; inside one (whose exceptions are masked, so this is not expected) it only sets the
// environment and the handler again.
void MathSignal(platform::FloatTrap trap);

} // namespace runtime
