#pragma once
// The program's records, one call each. Every call is one write statement on the given unit.

#include <string_view>

#include "io/unit.hpp"

namespace io {

// A list-directed record of one text: the leading blank, then the text (menu and captions).
void write_label(Unit& unit, std::string_view text);

} // namespace io
