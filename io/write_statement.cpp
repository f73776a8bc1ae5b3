// The write statements (write_statement.hpp): the records composed, then written one by one in
// one statement on the unit.

#include "io/write_statement.hpp"

#include <string>
#include <vector>

#include "io/format/list_directed.hpp"

namespace io {

namespace {

void write_records(Unit& unit, const std::vector<std::string>& records) {
    unit.begin_write();
    for (const std::string& record : records) {
        unit.put_chars(record);
        unit.end_record();
    }
}

} // namespace

void write_formatted(Unit& unit, const Layout& layout, std::span<const OutputItem> items) {
    write_records(unit, formatted_records(layout, items));
}

void write_list_directed(Unit& unit, std::span<const OutputItem> items) {
    write_records(unit, list_directed_records(items));
}

} // namespace io
