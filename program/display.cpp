// What the program shows (display.hpp): the menu's lines, the runs' captions and labels, and the
// layouts of their formatted records.

#include "program/display.hpp"

#include <cassert>
#include <cstddef>
#include <vector>

#include "io/pause.hpp"
#include "io/write_statement.hpp"

namespace program {

namespace {

constexpr std::string_view kMenu[] = {
    "Elija una opcion",
    "1. Calculo de la inversa y el determinante, para n=6",
    "2. Calculo del sistema Ax=b, para n=10,20,30,40,50",
    "(Pulse 3 para finalizar)",
};

// A matrix row: a group of six E 13.6 fields, started again for the rest of a longer row.
const io::Layout kRowLayout{{6, {io::exponent_field(13, 6)}}};
// A solution component: F 20.16.
const io::Layout kSolutionLayout{io::fixed_field(20, 16)};
// The norm's first record: "norma(" in a text field of width 7, the order in F 4.1, ")" in a
// text field of width 1; its second: the norm in E 15.7.
const io::Layout kNormLabelLayout{io::text_field(7), io::fixed_field(4, 1), io::text_field(1)};
const io::Layout kNormValueLayout{io::exponent_field(15, 7)};

io::Unit& report_unit(io::UnitTable& units) {
    io::Unit* report = units.find(kReportUnit);
    assert(report != nullptr);
    return *report;
}

} // namespace

void show_menu(io::Unit& console) {
    for (std::string_view line : kMenu) io::write_list_directed(console, {line});
}

Display::Display(io::UnitTable& units) : units_(units), report_(report_unit(units)) {}

void Display::list_directed(std::initializer_list<io::OutputItem> items) {
    io::write_list_directed(units_.console(), items);
    io::write_list_directed(report_, items);
}

void Display::matrix(std::string_view caption, const linalg::ColumnMajor& matrix, int n) {
    list_directed({caption});
    std::vector<io::OutputItem> row(static_cast<std::size_t>(n));
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n; ++j) row[static_cast<std::size_t>(j - 1)] = matrix(i, j);
        io::write_formatted(units_.console(), kRowLayout, row);
        io::write_formatted(report_, kRowLayout, row);
    }
    pause();
}

void Display::test_matrix(const linalg::ColumnMajor& A, int n) {
    matrix("Matriz A", A, n);
}

void Display::factors(const linalg::ColumnMajor& LU, int n) {
    matrix("Matriz LU", LU, n);
}

void Display::inverse(const linalg::ColumnMajor& INV, int n) {
    matrix("Inversa", INV, n);
}

void Display::determinant(double det) {
    list_directed({"determinante ", det});
}

void Display::solutions_heading() {
    list_directed({"Soluciones para n=10"});
    io::write_list_directed(report_, {});
}

void Display::solution(double value) {
    const io::OutputItem item[] = {value};
    io::write_formatted(units_.console(), kSolutionLayout, item);
    io::write_formatted(report_, kSolutionLayout, item);
}

void Display::norm(double order, double norm) {
    const io::OutputItem label[] = {"norma(", order, ")"};
    const io::OutputItem value[] = {norm};
    for (io::Unit* unit : {&units_.console(), &report_}) {
        io::write_formatted(*unit, kNormLabelLayout, label);
        io::write_formatted(*unit, kNormValueLayout, value);
    }
}

void Display::pause() {
    io::pause_prompt(units_);
}

} // namespace program
