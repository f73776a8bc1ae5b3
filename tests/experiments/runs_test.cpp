// Options 1 and 2 as processes, every shown digit: the report and the console of whole sessions
// against records built here from the independent references (MPFR's power, the textbook
// loops, the exact number editing); and checks that trust neither.

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/experiments/runs_reference.hpp"
#include "tests/io/number_editing_reference.hpp"
#include "tests/support/run_program.hpp"

namespace {

using namespace testsupport;

// A double as number editing sees it: its 17-digit decimal form.
reference::Decimal decimal(double x) {
    reference::Decimal form = reference::exact_decimal(x);
    reference::round_to(form, 17);
    return form;
}

// What an option shows: the report's records, and the console's (without their first
// character, each after a line break, with the pause prompts).
struct Shown {
    std::string report, console;
    void record(const std::string& text, bool on_console = true) {
        report += text + "\r\n";
        if (on_console) console += "\r\n" + text.substr(1);
    }
    void pause() { console += "\r\n" + kPrompt; }
    void matrix(const std::string& caption, const std::vector<double>& m) { // 6 x 6, E 13.6
        record(" " + caption);
        for (std::size_t i = 0; i < 6; ++i) {
            std::string row;
            for (std::size_t j = 0; j < 6; ++j)
                row += reference::exponent(decimal(m[i + 6 * j]), 13, 6);
            record(row);
        }
        pause();
    }
};

Shown option_one() {
    Shown s;
    std::vector<double> a = reference::test_matrix(6, 1), inverse;
    s.matrix("Matriz A", a);
    reference::textbook_factor(6, a);
    s.matrix("Matriz LU", a);
    double det = 1.0;
    for (std::size_t j = 0; j < 6; ++j) det = a[j * 7] * det;
    s.record(" determinante " + reference::free_form(decimal(det)));
    s.pause();
    for (std::size_t j = 0; j < 6; ++j) { // column j solves A x = e(j)
        std::vector<double> e(6, 0.0);
        e[j] = 1.0;
        reference::textbook_solve(6, a, e);
        inverse.insert(inverse.end(), e.begin(), e.end());
    }
    s.matrix("Inversa", inverse);
    return s;
}

Shown option_two() {
    Shown s;
    for (int kind : {1, 2}) {
        for (int n = 10; n <= 50; n += 10) {
            std::vector<double> a = reference::test_matrix(n, kind),
                                x = reference::right_hand_side(n);
            reference::textbook_factor(n, a);
            reference::textbook_solve(n, a, x);
            if (n == 10) {
                s.record(" Soluciones para n=10");
                s.record(" ", false);
                for (double component : x) s.record(reference::fixed(decimal(component), 20, 16));
                s.pause();
            }
            double norm = 0.0;
            for (double component : x) norm = std::max(norm, std::fabs(component - 1.0));
            s.record(" norma(" + reference::fixed(decimal(n), 4, 1) + ")");
            s.record(reference::exponent(decimal(norm), 15, 7));
            s.pause();
        }
    }
    return s;
}

TEST(Runs, EveryShownDigitOfWholeSessions) {
    const Shown one = option_one(), two = option_two();
    const struct {
        std::string options; // one line each; a null value (",") keeps the option, at first 1
        bool terminal;
    } sessions[] = {{"123", false}, {"2113", false}, {",13", true}};
    std::string first_report;
    for (const auto& session : sessions) {
        SCOPED_TRACE(session.options);
        TempDir dir;
        dir.write("resul3.doc", "an older report, longer than this run's would be\r\n");
        std::string input, report, console = kMenu;
        for (char option : session.options) {
            const Shown& shown = option == '2' ? two : one;
            input += option + std::string(option == '2' ? 13 : option == '3' ? 1 : 5, '\n');
            if (option == '3') continue;
            report += shown.report, console += shown.console + "\r\n" + kMenu;
        }
        const RunResult r = run_crout(dir, {.input = input, .terminal = session.terminal});
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
