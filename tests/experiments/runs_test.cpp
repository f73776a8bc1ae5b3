// Options 1 and 2 as processes, every shown digit: the report and the console of whole sessions
// against the records of the references, and checks that trust neither.

#include <cmath>
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "tests/experiments/runs_reference.hpp"
#include "tests/support/run_program.hpp"

namespace {

using namespace testsupport;

TEST(Runs, EveryShownDigitOfWholeSessions) {
    const reference::Shown one = reference::option_one(), two = reference::option_two();
    // The options, one line each (a null value keeps the option, at first 1), and whether they
    // are typed at a terminal.
    const std::pair<std::string, bool> sessions[] = {
        {"123", false}, {"2113", false}, {",13", true}};
    std::string first_report;
    for (const auto& [options, terminal] : sessions) {
        if (terminal && !native_programs()) continue; // an emulator's console rewrites bytes
        SCOPED_TRACE(options);
        TempDir dir;
        dir.write("resul3.doc", "an older report, longer than this run's would be\r\n");
        std::string input, report, console = kMenu;
        for (char option : options) {
            const reference::Shown& shown = option == '2' ? two : one;
            input += option + std::string(option == '2' ? 13 : option == '3' ? 1 : 5, '\n');
            if (option == '3') continue;
            report += shown.report, console += shown.console + "\r\n" + kMenu;
        }
        const RunResult r = run_crout(dir, {.input = input, .terminal = terminal});
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, console + "\r\n");
        EXPECT_EQ(dir.read("resul3.doc"), report);
        if (first_report.empty()) first_report = dir.read("resul3.doc");
    }

    // Trusting neither the program nor the references: row i of the shown inverse times column
    // j of A (exact, in long double) is 1 or 0 to within half a unit of each shown sixth digit,
    // times |A(k, j)|. Each row of the inverse is 6 fields of 13 and a line end.
    const std::size_t inverse = first_report.find(" Inversa\r\n") + 10;
    ASSERT_TRUE(inverse >= 10 && inverse + 480 <= first_report.size());
    for (std::size_t i = 0; i < 6; ++i) {
        for (int j = 1; j <= 6; ++j) {
            long double sum = 0, tolerance = 1e-12L;
            for (int k = 1; k <= 6; ++k) {
                const long double a = j > k   ? std::pow(3.0L, k - j)
                                      : j < k ? std::ldexp(1.0L, 2 * (j - k))
                                              : 1.0L / k;
                const char* shown = first_report.c_str() + inverse + 80 * i + 13 * (k - 1);
                sum += std::strtold(shown, nullptr) * a;
                tolerance += 0.5e-6L * std::pow(10.0L, std::strtol(shown + 10, nullptr, 10)) * a;
            }
            EXPECT_LE(std::fabs(sum - (i + 1 == std::size_t(j))), tolerance) << i << "," << j;
        }
    }
    // The error norms of an exact model of the runs.
    std::string norms;
    for (std::size_t at = 0; (at = first_report.find(")\r\n", at)) != std::string::npos; at += 3)
        norms += first_report.substr(at + 3, 15);
    EXPECT_EQ(norms, "   .3108624E-14   .3697043E-12   .6841194E-12   .6383449E-11   .6402545E-11"
                     "   .2048555E-03   .5197387E-03   .8014701E-03   .2995291E-02   .2117692E-01");
}

} // namespace
