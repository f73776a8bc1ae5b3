#include "runtime/checked.hpp"

#include "runtime/math_fault.hpp"
#include "runtime/termination.hpp"

namespace runtime::detail {

void report_fault_of(Operation op, double x, double y, double result) {
    if (!std::isfinite(x) || !std::isfinite(y)) {
        // Only a new NaN is a fault here: inf - inf, 0 * inf, inf / inf.
        if (std::isnan(result) && !std::isnan(x) && !std::isnan(y))
            report_math_fault(FloatException::Invalid);
        return;
    }
    if (std::isnan(result)) report_math_fault(FloatException::Invalid); // 0 / 0
    if (op == Operation::Divide && y == 0.0) report_math_fault(FloatException::DivideByZero);
    report_math_fault(FloatException::Overflow);
}

void report_unordered_comparison() {
    report_math_fault(FloatException::Invalid);
}

void report_integer_divide_by_zero() {
    fatal_exit(FatalMessage::IntegerDivideByZero);
}

} // namespace runtime::detail
