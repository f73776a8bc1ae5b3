#pragma once
// A fault met while reading the console. The reading code is pure and throws it; the read
// statement turns it into the run-time error report.

#include "runtime/error_codes.hpp"

namespace io {

struct ReadFault {
    runtime::ErrorCode code;
};

[[noreturn]] inline void fault(runtime::ErrorCode code) {
    throw ReadFault{code};
}

// CR or LF: the end of an input line.
inline bool is_line_end(unsigned char c) {
    return c == '\r' || c == '\n';
}

} // namespace io
