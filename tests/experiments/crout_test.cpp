// Crout's factorisation and the substitution solver on the test matrices: the factors rebuild
// the matrix, the 6 x 6 factors and determinant have their known digits, the solutions of the
// sweep have their known errors.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "experiments/crout.hpp"
#include "experiments/right_hand_side.hpp"
#include "experiments/test_matrix.hpp"
#include "tests/support/run_program.hpp"

namespace {

using experiments::crout_factor;
using experiments::SOLVE;

struct Square {
    int n;
    std::vector<double> a;
    double& operator()(int i, int j) { return a[static_cast<std::size_t>(i - 1 + (j - 1) * n)]; }
};

Square test_matrix(int n, std::int32_t kind) {
    Square m{n, std::vector<double>(static_cast<std::size_t>(n * n))};
    experiments::fill_test_matrix(static_cast<double>(n), kind, m.a);
    return m;
}

std::string six_digits(double x) {
    char text[32];
    std::snprintf(text, sizeof text, "%.5e", x);
    return text;
}

// |A - L U| <= 2 n eps (|L| |U|) entry by entry: the backward error of Crout's method, with
// room for the rounding of the product taken here.
TEST(Crout, TheFactorsRebuildTheMatrix) {
    constexpr double eps = std::numeric_limits<double>::epsilon();
    for (int n : {1, 2, 6, 50, 100}) {
        for (std::int32_t kind : {1, 2}) {
            Square a = test_matrix(n, kind), lu = a;
            crout_factor(static_cast<double>(n), lu.a);
            for (int i = 1; i <= n; ++i) {
                for (int j = 1; j <= n; ++j) {
                    double product = 0.0, magnitude = 0.0;
                    for (int k = 1; k <= std::min(i, j); ++k) {
                        double u = k == j ? 1.0 : lu(k, j);
                        product += lu(i, k) * u;
                        magnitude += std::fabs(lu(i, k) * u);
                    }
                    ASSERT_LE(std::fabs(a(i, j) - product), 2 * n * eps * magnitude)
                        << "n " << n << " kind " << kind << " (" << i << ", " << j << ")";
                }
            }
        }
    }
}

TEST(Crout, TheSixBySixFactorsDeterminantAndInverse) {
    Square a = test_matrix(6, 1), lu = a;
    crout_factor(6.0, lu.a);
    const char* diagonal[] = {"1.00000e+00",  "4.16667e-01", "1.58333e-01",
                              "-1.22807e-01", "4.35863e-01", "-1.05696e-01"};
    for (int i = 1; i <= 6; ++i) EXPECT_EQ(six_digits(lu(i, i)), diagonal[i - 1]) << i;
    double product = 1.0;
    for (int i = 1; i <= 6; ++i) product *= lu(i, i);
    EXPECT_EQ(experiments::determinant(6.0, lu.a), product);
    EXPECT_EQ(six_digits(product), "3.73244e-04");

    // Column j of the inverse solves A x = e(j); A times the inverse is the identity.
    Square inverse{6, std::vector<double>(36)};
    for (int j = 1; j <= 6; ++j) {
        std::vector<double> b(6, 0.0);
        b[static_cast<std::size_t>(j - 1)] = 1.0;
        SOLVE(6.0, lu.a, b);
        for (int i = 1; i <= 6; ++i) inverse(i, j) = b[static_cast<std::size_t>(i - 1)];
    }
    for (int i = 1; i <= 6; ++i) {
        for (int j = 1; j <= 6; ++j) {
            double sum = 0.0;
            for (int k = 1; k <= 6; ++k) sum += a(i, k) * inverse(k, j);
            EXPECT_NEAR(sum, i == j ? 1.0 : 0.0, 1e-12) << i << ", " << j;
        }
    }
}

TEST(Crout, TheIdentityLeavesTheRightHandSideAsItIs) {
    for (int n : {1, 2, 5}) {
        Square identity{n, std::vector<double>(static_cast<std::size_t>(n * n), 0.0)};
        for (int i = 1; i <= n; ++i) identity(i, i) = 1.0;
        std::vector<double> b{0.1, -3e-300, 7.5, 1e300, -0.0};
        b.resize(static_cast<std::size_t>(n));
        std::vector<double> x = b;
        crout_factor(static_cast<double>(n), identity.a);
        SOLVE(static_cast<double>(n), identity.a, x);
        EXPECT_EQ(x, b);
    }
}

// The sweep's solutions: kind 1 solves to ones; kind 2's largest distance from 1 is governed by
// the exact solution of the changed system.
TEST(Crout, SweepSolutionsAndErrorNorms) {
    const char* kind_two_norms[] = {"2.05", "5.20", "8.01", "3.00", "2.12"};
    for (int step = 0; step < 5; ++step) {
        const int n = 10 * (step + 1);
        for (std::int32_t kind : {1, 2}) {
            Square a = test_matrix(n, kind);
            std::vector<double> b(static_cast<std::size_t>(n));
            experiments::COEF(static_cast<double>(n), b);
            crout_factor(static_cast<double>(n), a.a);
            SOLVE(static_cast<double>(n), a.a, b);
            double norm = 0.0;
            for (double x : b) norm = std::max(norm, std::fabs(x - 1.0));
            if (kind == 1) {
                EXPECT_LT(norm, 1e-10) << n;
            } else {
                char digits[16];
                std::snprintf(digits, sizeof digits, "%.2f",
                              norm / std::pow(10.0, std::floor(std::log10(norm))));
                EXPECT_EQ(std::string(digits), kind_two_norms[step]) << n;
            }
        }
    }
}

// A zero pivot met by the program's own factorisation or solver ends the run at its division;
// the report file keeps the records shown before it, and nothing after it is shown.
TEST(Crout, AZeroPivotEndsTheRunAtItsDivision) {
    using testsupport::report;
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
        testsupport::TempDir dir;
        testsupport::RunResult r = testsupport::run_probe(
            dir, {.args = testsupport::words("open label:before solve " + matrix)});
        SCOPED_TRACE(matrix);
        EXPECT_EQ(r.err, err);
        EXPECT_EQ(r.status, err.empty() ? 0 : 1);
        const std::string solved = "  1.0000000000000000\r\n  1.0000000000000000\r\n";
        EXPECT_EQ(dir.read("resul3.doc"), " before\r\n" + (err.empty() ? solved : ""));
    }
}

} // namespace
