#include "runtime/checked.hpp"

#include "runtime/math_error.hpp"
#include "runtime/termination.hpp"

namespace runtime {

void report_fault_of(Operation op, double x, double y, double result) {
    if (!std::isfinite(x) || !std::isfinite(y)) {
        // Only a new NaN is a fault here: inf - inf, 0 * inf, inf / inf.
        if (std::isnan(result) && !std::isnan(x) && !std::isnan(y))
            report_trap(MathCode::TrapInvalid);
        return;
    }
    if (std::isnan(result)) report_trap(MathCode::TrapInvalid); // 0 / 0
    if (op == Operation::Divide && y == 0.0) report_trap(MathCode::TrapDivideByZero);
    report_trap(MathCode::TrapOverflow);
}

void report_unordered_comparison() {
    report_trap(MathCode::TrapInvalid);
}

void report_integer_divide_by_zero() {
    fatal_exit(FatalMessage::IntegerDivideByZero);
}

} // namespace runtime
