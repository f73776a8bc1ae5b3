#pragma once
// The list-directed read of one integer item from the console's reading side.

#include <cstdint>
#include <optional>

#include "io/input/console_reader.hpp"

namespace io {

// Scans one value and ends the read. Returns the integer, or nothing for a null value (the
// item keeps what it held). Throws ReadFault for every fault of the read.
std::optional<std::int32_t> scan_integer_item(ConsoleReader& reader);

} // namespace io
