#pragma once
// Conversion of a double to a 32-bit integer.

#include <cstdint>

namespace runtime {

// Truncates x toward zero, whatever the rounding field says. A NaN or a value outside the
// 32-bit range is an invalid operation, as in the processor's own conversion: it is reported
// like a trapped one (M6101), which ends the run.
std::int32_t truncate_to_int(double x);

} // namespace runtime
