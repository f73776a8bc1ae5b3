// Crout's factorisation and the substitution solver on the test matrices: the 6 x 6 factors
// and determinant have their known digits, the solutions of the sweep their known errors, and a
// zero pivot ends the run at its division.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "experiments/crout.hpp"
#include "experiments/right_hand_side.hpp"
#include "experiments/test_matrix.hpp"
#include "tests/support/run_program.hpp"

namespace {

using namespace testsupport;

std::vector<double> test_matrix(int n, std::int32_t kind) {
    std::vector<double> a(static_cast<std::size_t>(n * n));
    experiments::fill_test_matrix(static_cast<double>(n), kind, a);
    return a;
}

std::string digits(const char* format, double x) {
    char text[32];
    std::snprintf(text, sizeof text, format, x);
    return text;
}

TEST(Crout, TheSixBySixFactorsAndDeterminant) {
    std::vector<double> lu = test_matrix(6, 1);
    experiments::crout_factor(6.0, lu);
    std::string diagonal;
    double product = 1.0;
    for (int i = 0; i < 6; ++i) diagonal += digits(" %.5e", lu[i * 7]), product *= lu[i * 7];
    EXPECT_EQ(diagonal,
              " 1.00000e+00 4.16667e-01 1.58333e-01 -1.22807e-01 4.35863e-01 -1.05696e-01");
    EXPECT_EQ(experiments::determinant(6.0, lu), product);
    EXPECT_EQ(digits("%.5e", product), "3.73244e-04");
}

// The sweep's solutions: kind 1 solves to ones; kind 2's largest distance from 1 is governed by
// the exact solution of the changed system.
TEST(Crout, SweepSolutionsAndErrorNorms) {
    const char* kind_two_norms[] = {"2.05", "5.20", "8.01", "3.00", "2.12"};
    for (int step = 0; step < 5; ++step) {
        const int n = 10 * (step + 1);
        for (std::int32_t kind : {1, 2}) {
            std::vector<double> a = test_matrix(n, kind), b(static_cast<std::size_t>(n));
            experiments::COEF(static_cast<double>(n), b);
            experiments::crout_factor(static_cast<double>(n), a);
            experiments::SOLVE(static_cast<double>(n), a, b);
            double norm = 0.0;
            for (double x : b) norm = std::max(norm, std::fabs(x - 1.0));
            const std::string shown = norm < 1e-10 ? "tiny" : digits("%.2e", norm).substr(0, 4);
            EXPECT_EQ(shown, kind == 1 ? "tiny" : kind_two_norms[step]) << n;
        }
    }
}

// A zero pivot met by the program's own factorisation or solver ends the run at its division;
// the report file keeps the records shown before it, and nothing after it is shown.
TEST(Crout, AZeroPivotEndsTheRunAtItsDivision) {
    const std::string divide = report("M6103: MATH", "floating-point error: divide by zero");
    const std::string invalid = report("M6101: MATH", "floating-point error: invalid");
    const std::pair<std::string, std::string> cases[] = {
        {"2  0 1  1 1  1 1", divide},              // first row of U over A(1, 1) = 0
        {"2  0 0  1 1  1 1", invalid},             // 0 / 0 there
        {"3  1 1 1  1 1 2  1 1 1  1 1 1", divide}, // stage 2: the pivot 1 - 1 * 1
        {"3  1 1 1  1 1 1  1 1 1  1 1 1", invalid},
        {"2  1 1  1 1  1 2", divide}, // a zero last pivot: the solver's division by it
        {"2  1 1  1 1  1 1", invalid},
        {"2  2 0  0 4  2 4", ""},
    };
    for (const auto& [matrix, err] : cases) {
        TempDir dir;
        RunResult r = run_probe(dir, {.args = words("open label:before solve " + matrix)});
        SCOPED_TRACE(matrix);
        EXPECT_EQ(r.err, err);
        EXPECT_EQ(r.status, err.empty() ? 0 : 1);
        const std::string solved = "  1.0000000000000000\r\n  1.0000000000000000\r\n";
        EXPECT_EQ(dir.read("resul3.doc"), " before\r\n" + (err.empty() ? solved : ""));
    }
}

} // namespace
