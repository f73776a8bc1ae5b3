// Records: the program's write calls through a unit, and the layouts' rules of composition.

#include "io/records.hpp"

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "io/formatted.hpp"
#include "io/list_directed.hpp"
#include "io/number_editing.hpp"
#include "tests/support/recording_channel.hpp"

namespace {

using Records = std::vector<std::string>;
using Items = std::vector<io::OutputItem>;

TEST(Records, WriteCallsOnTheConsoleAndTheReportFile) {
    const double row[] = {1, 9, -0.5, 9, 0, 9, 123.456, 9, 1.0E-13, 9, 2.0 / 3, 9, 2, 9};
    const Records records = {
        " Matriz A",
        "  .100000E+01 -.500000E+00  .000000E+00  .123456E+03  .100000E-12  .666667E+00",
        "  .200000E+01",
        " determinante  -5.000000000000000E-001",
        " determinante    12345.678000000000000",
        " ",
        "  1.0000000000000000",
        "   .9999999999999998",
        " norma(50.0)",
        "   .2050000E-03",
        "100.5000000000000000",
    };
    testsupport::ChannelLog report_log, console_log;
    std::string expected_report, expected_console;
    io::Unit report = testsupport::recording_unit(false, report_log);
    io::Unit console = testsupport::recording_unit(true, console_log);
    for (io::Unit* unit : {&report, &console}) {
        io::write_label(*unit, "Matriz A");
        io::write_matrix_row(*unit, row, 7, 2);
        io::write_determinant(*unit, -0.5);
        io::write_determinant(*unit, 12345.678);
        io::write_empty(*unit);
        io::write_solution(*unit, 1.0);
        io::write_solution(*unit, 0.9999999999999998);
        io::write_norm_label(*unit, 50.0);
        io::write_norm_value(*unit, 2.05E-4);
        io::write_solution(*unit, 100.5);
    }
    report.close();
    for (const std::string& r : records) {
        expected_report += r + "\r\n";
        // The console breaks the line before a record and takes its first character as
        // carriage control; "1" ejects a page.
        if (&r != &records[0]) expected_console += r[0] == '1' ? "\r\n\f\b \r" : "\r\n";
        expected_console += r.substr(1);
    }
    EXPECT_EQ(report_log.bytes, expected_report);
    EXPECT_EQ(console_log.bytes, expected_console);
}

TEST(Records, ListDirectedRecordsStopAtColumn79) {
    std::string a = io::edit_free(1.0), b = io::edit_free(-2.0), t54(54, 't'), t100(100, 'u');
    const struct {
        Items items;
        Records expected;
    } cases[] = {
        // 1 + 24 + 25 + 25 = 75: the fourth number starts a record, one of its blanks first.
        {{1.0, -2.0, 1.0, -2.0, 1.0}, {" " + a + " " + b + " " + a, b + " " + a}},
        {{t54, 1.0}, {" " + t54 + a}},
        {{t54, "x", 1.0}, {" " + t54 + "x", a}},
        {{t100}, {" " + t100.substr(0, 78), " " + t100.substr(78)}},
        {{1.0, -2.0, 1.0, "0123456789"}, {" " + a + " " + b + " " + a + "0123", " 456789"}},
        {{}, {" "}},
    };
    for (const auto& c : cases) EXPECT_EQ(io::list_directed_records(c.items), c.expected);
}

TEST(Records, FormattedRecordsRevertAndStopWithTheItems) {
    const io::Layout row{{6, {io::exponent_field(13, 6)}}};
    for (std::size_t n : {1, 6, 7, 13}) {
        Records expected;
        for (std::size_t k = 0; k < n; ++k) {
            if (k % 6 == 0) expected.emplace_back();
            expected.back() += " -.500000E+00";
        }
        EXPECT_EQ(io::formatted_records(row, Items(n, -0.5)), expected) << n << " entries";
    }
    const io::Layout grouped{io::text_field(3), {2, {io::fixed_field(5, 1)}}};
    const io::Layout texts{io::text_field(3), io::text_field(1)};
    EXPECT_EQ(io::formatted_records(grouped, Items{"ab", 1.0, 2.0, 3.0, 4.0, 5.0}),
              (Records{" ab  1.0  2.0", "  3.0  4.0", "  5.0"}));
    EXPECT_EQ(io::formatted_records(texts, Items{"abcdef", "xyz", "", "q"}),
              (Records{"abcx", "   q"}));
    EXPECT_EQ(io::formatted_records(texts, Items{}), Records{""});
}

} // namespace
