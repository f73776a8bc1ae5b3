#pragma once
// FRerror: the message text for each run-time error code.

#include <string_view>

#include "runtime/error_codes.hpp"

namespace runtime {

std::string_view FRerror(ErrorCode code);

} // namespace runtime
