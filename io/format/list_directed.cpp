// The records of a list-directed write (list_directed.hpp): texts and free-form numbers placed
// by the system, at most 79 characters a record.

#include "io/format/list_directed.hpp"

#include <string_view>
#include <utility>

#include "io/format/number_editing.hpp"

namespace io {

std::vector<std::string> list_directed_records(std::span<const OutputItem> items) {
    std::vector<std::string> records;
    std::string record(1, ' '); // the leading blank
    bool after_number = false;
    for (const OutputItem& item : items) {
        if (const auto* text = std::get_if<std::string_view>(&item)) {
            std::string_view rest = *text;
            while (rest.size() > kListRecordLimit - record.size()) {
                std::size_t fits = kListRecordLimit - record.size();
                record.append(rest.substr(0, fits));
                rest.remove_prefix(fits);
                records.push_back(std::exchange(record, std::string(1, ' ')));
            }
            record.append(rest);
            after_number = false;
            continue;
        }
        std::string field = edit_free(std::get<double>(item));
        std::size_t separator = after_number ? 1 : 0;
        if (record.size() + separator + field.size() > kListRecordLimit) {
            records.push_back(std::exchange(record, std::move(field)));
        } else {
            record.append(separator, ' ');
            record.append(field);
        }
        after_number = true;
    }
    records.push_back(std::move(record));
    return records;
}

} // namespace io
