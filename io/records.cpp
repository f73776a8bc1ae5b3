#include "io/records.hpp"

namespace io {

void write_label(Unit& unit, std::string_view text) {
    unit.begin_write();
    unit.put_chars(" ");
    unit.put_chars(text);
    unit.end_record();
}

} // namespace io
