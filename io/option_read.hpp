#pragma once
// The program's one input statement, a list-directed read of one integer from the
// console.

#include <cstdint>

#include "io/unit_table.hpp"

namespace io {

// Reads one integer into item; a null value leaves it as it was. Every fault ends the run
// with its report.
void read_option(UnitTable& table, std::int32_t& item);

} // namespace io
