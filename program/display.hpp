#pragma once
// What the runs show. Every shown record goes to the console first and then, with the same
// characters, to the report unit, before the next record.

#include <span>
#include <string_view>

#include "io/unit_table.hpp"
#include "linalg/column_major.hpp"

namespace program {

inline constexpr int kReportUnit = 20;
inline constexpr const char* kReportFile = "resul3.doc";

class Display {
public:
    // The report unit must be connected.
    explicit Display(io::UnitTable& units);

    void label(std::string_view text);
    // The caption, then rows 1..n of the matrix (entries 1..n of each), then a pause.
    void matrix(std::string_view caption, const linalg::ColumnMajor& matrix, int n);
    void determinant(double det);
    void solution(double value);
    // The two records of an error norm: "norma(", the order and ")", then the norm.
    void norm(double order, double norm);
    // A record of one blank, on the report alone.
    void empty_report_record();
    void pause();

private:
    io::UnitTable& units_;
    io::Unit& report_;
};

} // namespace program
