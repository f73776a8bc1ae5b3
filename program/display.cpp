// What the runs show: each record written to the console, then to the report unit.
#include "program/display.hpp"

#include <cassert>
#include <cstddef>

#include "io/pause.hpp"
#include "io/records.hpp"

namespace program {

namespace {

io::Unit& report_unit(io::UnitTable& units) {
    io::Unit* report = units.find(kReportUnit);
    assert(report != nullptr);
    return *report;
}

} // namespace

Display::Display(io::UnitTable& units) : units_(units), report_(report_unit(units)) {}

void Display::label(std::string_view text) {
    io::write_label(units_.console(), text);
    io::write_label(report_, text);
}

void Display::matrix(std::string_view caption, const linalg::ColumnMajor& matrix, int n) {
    label(caption);
    auto count = static_cast<std::size_t>(n);
    auto stride = static_cast<std::size_t>(matrix.leading_dimension());
    for (int i = 1; i <= n; ++i) {
        io::write_matrix_row(units_.console(), &matrix(i, 1), count, stride);
        io::write_matrix_row(report_, &matrix(i, 1), count, stride);
    }
    pause();
}

void Display::determinant(double det) {
    io::write_determinant(units_.console(), det);
    io::write_determinant(report_, det);
}

void Display::solution(double value) {
    io::write_solution(units_.console(), value);
    io::write_solution(report_, value);
}

void Display::norm(double order, double norm) {
    for (io::Unit* unit : {&units_.console(), &report_}) {
        io::write_norm_label(*unit, order);
        io::write_norm_value(*unit, norm);
    }
}

void Display::empty_report_record() {
    io::write_empty(report_);
}

void Display::pause() {
    io::pause_prompt(units_);
}

} // namespace program
