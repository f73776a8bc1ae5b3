// The program's write calls through a unit: console bytes and report-file bytes.

#include "io/records.hpp"

#include <memory>
#include <string>

#include <gtest/gtest.h>

namespace {

// Keeps every byte a unit writes.
class RecordingChannel final : public io::Channel {
public:
    explicit RecordingChannel(std::string& bytes) : bytes_(bytes) {}
    platform::IoResult write(const char* data, std::size_t size) override {
        bytes_.append(data, size);
        return {static_cast<long>(size), 0};
    }
    int cut(std::int64_t) override { return 0; }
    int close() override { return 0; }

private:
    std::string& bytes_;
};

// Runs the same write calls on a console unit and a report unit; returns both byte streams.
template <typename Writes> std::pair<std::string, std::string> both_units(Writes writes) {
    std::string console, report;
    io::Unit con(0, "CON", io::UnitKind::Terminal, io::kConsoleBufferSize,
                 std::make_unique<RecordingChannel>(console));
    io::Unit file(20, "resul3.doc", io::UnitKind::Sequential, io::kFileBufferSize,
                  std::make_unique<RecordingChannel>(report));
    writes(con);
    writes(file);
    file.close();
    return {console, report};
}

TEST(Records, EachCallIsItsRecordsOnBothUnits) {
    const double row[] = {1.0, 9.0,     -0.5, 9.0,       0.0, 9.0, 123.456,
                          9.0, 1.0E-13, 9.0,  2.0 / 3.0, 9.0, 2.0, 9.0};
    auto [console, report] = both_units([&](io::Unit& unit) {
        io::write_label(unit, "Matriz A");
        io::write_matrix_row(unit, row, 7, 2);
        io::write_determinant(unit, -0.5);
        io::write_empty(unit);
        io::write_solution(unit, 0.5);
        io::write_norm_label(unit, 10.0);
        io::write_norm_value(unit, 2.05E-4);
        io::write_solution(unit, 100.5);
    });
    const std::string records[] = {
        " Matriz A",
        "  .100000E+01 -.500000E+00  .000000E+00  .123456E+03  .100000E-12  .666667E+00",
        "  .200000E+01",
        " determinante  -5.000000000000000E-001",
        " ",
        "   .5000000000000000",
        " norma(10.0)",
        "   .2050000E-03",
        "100.5000000000000000",
    };
    std::string expected_report, expected_console;
    for (const std::string& r : records) {
        expected_report += r + "\r\n";
        // The console breaks the line before each record and takes its first character as
        // carriage control: "1" ejects a page.
        if (&r != &records[0]) expected_console += r[0] == '1' ? "\r\n\f\b \r" : "\r\n";
        expected_console += r.substr(1);
    }
    EXPECT_EQ(report, expected_report);
    EXPECT_EQ(console, expected_console);
}

} // namespace
