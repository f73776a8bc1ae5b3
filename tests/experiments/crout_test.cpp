// Crout's factorisation and the substitution solver on the test matrices: the 6 x 6 factors
// and determinant have their known digits, the solutions of the sweep their known errors, and a
// zero pivot ends the run at its division.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "experiments/crout.hpp"
#include "experiments/right_hand_side.hpp"
#include "experiments/test_matrix.hpp"
#include "tests/support/run_program.hpp"

namespace experiments {
void PrintTo(KernelForm form, std::ostream* out) {
    *out << (form == KernelForm::Avx2 ? "Avx2" : "Portable");
}
} // namespace experiments

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
    for (std::size_t i = 0; i < 6; ++i)
        diagonal += digits(" %.5e", lu[i * 7]), product *= lu[i * 7];
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

// Crout's method as the textbook writes it, on an n x n column-major matrix: each element
// receives its terms in increasing order of the summation index, in place, each product
// rounded before its subtraction; then the forward and back substitutions the same way.
void textbook_factor_and_solve(int n, std::vector<double>& m, std::vector<double>& b) {
    auto a = [&](int i, int j) -> double& { return m[std::size_t(i - 1 + (j - 1) * n)]; };
    auto x = [&](int i) -> double& { return b[std::size_t(i - 1)]; };
    for (int j = 2; j <= n; ++j) a(1, j) = a(1, j) / a(1, 1);
    for (int k = 2; k <= n - 1; ++k) {
        for (int i = k; i <= n; ++i)
            for (int l = 1; l < k; ++l) a(i, k) = a(i, k) - a(i, l) * a(l, k);
        for (int j = k + 1; j <= n; ++j) {
            for (int l = 1; l < k; ++l) a(k, j) = a(k, j) - a(k, l) * a(l, j);
            a(k, j) = a(k, j) / a(k, k);
        }
    }
    for (int l = 1; l < n; ++l) a(n, n) = a(n, n) - a(n, l) * a(l, n);
    for (int i = 1; i <= n; ++i) {
        for (int l = 1; l < i; ++l) x(i) = x(i) - a(i, l) * x(l);
        x(i) = x(i) / a(i, i);
    }
    for (int i = n - 1; i >= 1; --i)
        for (int l = i + 1; l <= n; ++l) x(i) = x(i) - a(i, l) * x(l);
}

// Whatever order the kernel works in, and in each of its forms that this processor runs (the
// others are reported as skipped), every factor and every solution component is the textbook's
// to the last bit, up to the largest order.
class CroutForm : public testing::TestWithParam<experiments::KernelForm> {};

TEST_P(CroutForm, BitForBitTheTextbookOnRandomMatrices) {
    if (!experiments::kernel_form_runs_here(GetParam()))
        GTEST_SKIP() << "this processor does not run the form";
    std::mt19937_64 random(20261206);
    std::uniform_real_distribution<double> entry(-1.0, 1.0);
    for (int n = 1; n <= experiments::kLargestOrder; ++n) {
        std::vector<double> a(static_cast<std::size_t>(n * n)), b(static_cast<std::size_t>(n));
        for (double& x : a) x = entry(random);
        for (int i = 0; i < n; ++i) a[std::size_t(i * (n + 1))] += n; // pivots away from zero
        for (double& x : b) x = entry(random);
        std::vector<double> expected_a = a, expected_b = b;
        textbook_factor_and_solve(n, expected_a, expected_b);
        experiments::crout_factor(static_cast<double>(n), a, GetParam());
        experiments::SOLVE(static_cast<double>(n), a, b);
        ASSERT_EQ(std::memcmp(a.data(), expected_a.data(), a.size() * sizeof(double)), 0) << n;
        ASSERT_EQ(std::memcmp(b.data(), expected_b.data(), b.size() * sizeof(double)), 0) << n;
    }
}

INSTANTIATE_TEST_SUITE_P(Forms, CroutForm,
                         testing::Values(experiments::KernelForm::Portable,
                                         experiments::KernelForm::Avx2),
                         testing::PrintToStringParamName());

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
