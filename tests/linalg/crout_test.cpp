// Crout's factorisation and the substitution solver: bit for bit the textbook's loops, and a
// zero pivot ends the run at its division.

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "linalg/crout.hpp"
#include "tests/linalg/runs_reference.hpp"
#include "tests/support/run_program.hpp"

namespace linalg {
void PrintTo(KernelForm form, std::ostream* out) {
    *out << (form == KernelForm::Avx2 ? "Avx2" : "Portable");
}
} // namespace linalg

namespace {

using namespace testsupport;

// Whatever order the kernel works in, and in each of its forms that this processor runs (the
// others are reported as skipped), every factor and every solution component is the textbook's
// to the last bit, up to the largest order.
class CroutForm : public testing::TestWithParam<linalg::KernelForm> {};

TEST_P(CroutForm, BitForBitTheTextbookOnRandomMatrices) {
    if (!linalg::kernel_form_runs_here(GetParam()))
        GTEST_SKIP() << "this processor does not run the form";
    std::mt19937_64 random(20261206);
    std::uniform_real_distribution<double> entry(-1.0, 1.0);
    for (int n = 1; n <= linalg::kLargestOrder; ++n) {
        std::vector<double> a(static_cast<std::size_t>(n * n)), b(static_cast<std::size_t>(n));
        for (double& x : a) x = entry(random);
        for (int i = 0; i < n; ++i) a[std::size_t(i * (n + 1))] += n; // pivots away from zero
        for (double& x : b) x = entry(random);
        std::vector<double> expected_a = a, expected_b = b;
        reference::textbook_factor(n, expected_a);
        reference::textbook_solve(n, expected_a, expected_b);
        linalg::crout_factor(static_cast<double>(n), a, GetParam());
        linalg::SOLVE(static_cast<double>(n), a, b);
        ASSERT_EQ(std::memcmp(a.data(), expected_a.data(), a.size() * sizeof(double)), 0) << n;
        ASSERT_EQ(std::memcmp(b.data(), expected_b.data(), b.size() * sizeof(double)), 0) << n;
    }
}

INSTANTIATE_TEST_SUITE_P(Forms, CroutForm,
                         testing::Values(linalg::KernelForm::Portable, linalg::KernelForm::Avx2),
                         testing::PrintToStringParamName());

// A zero pivot met by the program's own factorisation or solver ends the run at its division;
// the report file keeps the records shown before it, and nothing after it is shown. The same
// where the traps do not take effect: the operations' own checks find the fault.
TEST(Crout, AZeroPivotEndsTheRunAtItsDivision) {
    const std::string divide = report("M6103: MATH", "floating-point error: divide by zero");
    const std::string invalid = report("M6101: MATH", "floating-point error: invalid");
    const std::pair<std::string, std::string> cases[] = {
        {"2  0 1  1 1  1 1", divide},              // first row of U over A(1, 1) = 0
        {"3  1 1 1  1 1 2  1 1 1  1 1 1", divide}, // stage 2: the pivot 1 - 1 * 1
        {"3  1 1 1  1 1 1  1 1 1  1 1 1", invalid},
        // The fast kernel meets an overflow at U(2, 4) first, the textbook order this division
        // at U(2, 3): the textbook's fault is the one reported.
        {"4  1 1 1 1e200  1e200 1e200 0 0  1 2 3 4  5 6 7 8  1 1 1 1", divide},
        {"2  1 1  1 1  1 2", divide}, // a zero last pivot: the solver's division by it
        {"2  1 1  1 1  1 1", invalid},
    };
    for (const auto& [matrix, err] : cases)
        for (const std::string traps : {"", "notraps "}) {
            TempDir dir;
            RunResult r =
                run_probe(dir, {.args = words(traps + "open label:before solve " + matrix)});
            SCOPED_TRACE(traps + matrix);
            EXPECT_EQ(r.err, err);
            EXPECT_EQ(r.status, 1);
            EXPECT_EQ(dir.read("resul3.doc"), " before\r\n");
        }
}

} // namespace
