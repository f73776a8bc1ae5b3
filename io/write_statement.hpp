#pragma once
// The write statements: a formatted or a list-directed write of an output list on a unit. The
// records are composed first (format/), then handed to the unit one by one.

#include <initializer_list>
#include <span>

#include "io/format/formatted.hpp"
#include "io/format/output_item.hpp"
#include "io/unit.hpp"

namespace io {

// A formatted write: the layout's fields place the items (format/formatted.hpp).
void write_formatted(Unit& unit, const Layout& layout, std::span<const OutputItem> items);

// A list-directed write: the system places the items (format/list_directed.hpp); a write with
// no items gives the record of one blank.
void write_list_directed(Unit& unit, std::span<const OutputItem> items);
inline void write_list_directed(Unit& unit, std::initializer_list<OutputItem> items) {
    write_list_directed(unit, std::span<const OutputItem>(items));
}

} // namespace io
