#pragma once
// The program's records, one call each. Every call is one write statement on the given unit:
// the records of the layout are composed first, then handed to the unit one by one.

#include <cstddef>
#include <string_view>

#include "io/unit.hpp"

namespace io {

// A list-directed record of one text: the leading blank, then the text (menu and captions).
void write_label(Unit& unit, std::string_view text);

// A list-directed write with no items: the record of one blank.
void write_empty(Unit& unit);

// A row of a matrix in the row layout (groups of six E 13.6 fields, starting again with a
// fresh group): the entries first[0], first[stride], ..., count of them, so that a row of a
// column-major matrix is passed with its leading dimension as stride.
void write_matrix_row(Unit& unit, const double* first, std::size_t count, std::size_t stride);

// List-directed: "determinante " and the determinant in the free form.
void write_determinant(Unit& unit, double det);

// One solution component in F 20.16.
void write_solution(Unit& unit, double value);

// The first line of the norm record: "norma(" in a text field of width 7, the order in F 4.1,
// ")" in a text field of width 1.
void write_norm_label(Unit& unit, double order);

// The second line of the norm record: the norm in E 15.7.
void write_norm_value(Unit& unit, double norm);

} // namespace io
