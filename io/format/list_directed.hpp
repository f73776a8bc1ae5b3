#pragma once
// The records of a list-directed write: the system places the items.
//
// A record starts with one blank. Texts follow directly; a double is shown in the free form,
// 24 columns, or 25 after another double (one separating blank). A record holds at most 79
// characters: a double that would pass column 79 starts the next record, its blanks serving
// as that record's first character; a text that does not fit is split, and its rest goes on
// in a new record that starts with a blank.

#include <span>
#include <string>
#include <vector>

#include "io/format/output_item.hpp"

namespace io {

inline constexpr std::size_t kListRecordLimit = 79;

// The records of one write statement; a write with no items gives the record of one blank.
std::vector<std::string> list_directed_records(std::span<const OutputItem> items);

} // namespace io
