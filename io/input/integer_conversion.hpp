#pragma once
// The text of a list-directed integer value to a 32-bit integer.

#include <cstdint>
#include <string_view>

namespace io {

// Converts the collected characters of one value. Throws ReadFault: IntegerOverflow,
// InvalidInteger (also for a NUL byte), SecondBaseMark, BadBase.
std::int32_t parse_integer(std::string_view text);

} // namespace io
