#pragma once
// A fault met while reading the console. The reading code is pure and throws it; the read
// statement turns it into the run-time error report.

#include "runtime/error_codes.hpp"

namespace io {

struct ReadFault {
    runtime::ErrorCode code;
};

} // namespace io
