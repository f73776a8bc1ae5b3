#include "runtime/truncate.hpp"

#include <cmath>

#include "runtime/math_fault.hpp"

namespace runtime {

std::int32_t truncate_to_int(double x) {
    // Both bounds are exact doubles; every double strictly between them truncates into range.
    // The comparisons are the quiet ones, so a NaN raises nothing before it is reported.
    constexpr double kAbove = 2147483648.0;  // 2^31
    constexpr double kBelow = -2147483649.0; // -2^31 - 1
    if (std::isgreater(x, kBelow) && std::isless(x, kAbove)) return static_cast<std::int32_t>(x);
    report_math_fault(FloatException::Invalid);
}

} // namespace runtime
