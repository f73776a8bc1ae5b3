// The program's records (records.hpp): the layouts of its formatted writes, and one function
// per record, each one write statement on its unit.

#include "io/records.hpp"

#include <initializer_list>
#include <span>
#include <string>
#include <vector>

#include "io/format/formatted.hpp"
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

void write_list(Unit& unit, std::initializer_list<OutputItem> items) {
    write_records(unit, list_directed_records(items));
}

void write_formatted(Unit& unit, const Layout& layout, std::span<const OutputItem> items) {
    write_records(unit, formatted_records(layout, items));
}

const Layout& row_layout() {
    static const Layout layout{{6, {exponent_field(13, 6)}}};
    return layout;
}

const Layout& solution_layout() {
    static const Layout layout{fixed_field(20, 16)};
    return layout;
}

const Layout& norm_label_layout() {
    static const Layout layout{text_field(7), fixed_field(4, 1), text_field(1)};
    return layout;
}

const Layout& norm_value_layout() {
    static const Layout layout{exponent_field(15, 7)};
    return layout;
}

} // namespace

void write_label(Unit& unit, std::string_view text) {
    write_list(unit, {text});
}

void write_empty(Unit& unit) {
    write_list(unit, {});
}

void write_matrix_row(Unit& unit, const double* first, std::size_t count, std::size_t stride) {
    std::vector<OutputItem> items;
    items.reserve(count);
    for (std::size_t j = 0; j < count; ++j) items.emplace_back(first[j * stride]);
    write_formatted(unit, row_layout(), items);
}

void write_determinant(Unit& unit, double det) {
    write_list(unit, {std::string_view("determinante "), det});
}

void write_solution(Unit& unit, double value) {
    OutputItem item = value;
    write_formatted(unit, solution_layout(), {&item, 1});
}

void write_norm_label(Unit& unit, double order) {
    OutputItem items[] = {std::string_view("norma("), order, std::string_view(")")};
    write_formatted(unit, norm_label_layout(), items);
}

void write_norm_value(Unit& unit, double norm) {
    OutputItem item = norm;
    write_formatted(unit, norm_value_layout(), {&item, 1});
}

} // namespace io
