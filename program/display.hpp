#pragma once
// What the program shows: the menu, and every record of options 1 and 2 with its Spanish text
// and its layout. Each record of a run goes to the console first and then, with the same
// characters, to the report unit, before the next record.

#include <initializer_list>
#include <string_view>

#include "io/format/output_item.hpp"
#include "io/unit_table.hpp"
#include "linalg/column_major.hpp"

namespace program {

inline constexpr int kReportUnit = 20;
inline constexpr const char* kReportFile = "resul3.doc";

// The menu's four lines, on the console alone.
void show_menu(io::Unit& console);

class Display {
public:
    // The report unit must be connected.
    explicit Display(io::UnitTable& units);

    // A matrix under its caption, rows 1..n (entries 1..n of each), then a pause: the test
    // matrix A ("Matriz A"), its factors ("Matriz LU") and the inverse ("Inversa").
    void test_matrix(const linalg::ColumnMajor& A, int n);
    void factors(const linalg::ColumnMajor& LU, int n);
    void inverse(const linalg::ColumnMajor& INV, int n);
    // "determinante " and the determinant.
    void determinant(double det);
    // "Soluciones para n=10", then a record of one blank on the report alone.
    void solutions_heading();
    // One solution component.
    void solution(double value);
    // The two records of an error norm: "norma(", the order and ")", then the norm.
    void norm(double order, double norm);
    void pause();

private:
    void matrix(std::string_view caption, const linalg::ColumnMajor& matrix, int n);
    void list_directed(std::initializer_list<io::OutputItem> items);

    io::UnitTable& units_;
    io::Unit& report_;
};

} // namespace program
