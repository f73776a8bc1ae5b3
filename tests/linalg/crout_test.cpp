// Crout's factorisation and the substitution solver: bit for bit the textbook's loops, and a
// fault ends the run at the one the textbook's order meets first.

#include <cstring>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "linalg/crout.hpp"
#include "linalg/kernel_forms.hpp"
#include "tests/linalg/runs_reference.hpp"
#include "tests/support/run_program.hpp"

namespace {

using namespace testsupport;

// Whatever order the kernel works in, and in each of its forms that this processor runs, every
// factor and every solution component is the textbook's to the last bit, up to the largest
// order.
TEST(CroutForm, BitForBitTheTextbookOnRandomMatrices) {
    for (const auto form : {linalg::KernelForm::Portable, linalg::KernelForm::Avx2}) {
        if (!linalg::kernel_form_runs_here(form)) continue;
        std::mt19937_64 random(20261206);
        std::uniform_real_distribution<double> entry(-1.0, 1.0);
        for (int n = 1; n <= linalg::kLargestOrder; ++n) {
            std::vector<double> a(static_cast<std::size_t>(n * n)), b(static_cast<std::size_t>(n));
            for (double& x : a) x = entry(random);
            for (int i = 0; i < n; ++i) a[std::size_t(i * (n + 1))] += n; // pivots away from 0
            for (double& x : b) x = entry(random);
            std::vector<double> expected_a = a, expected_b = b;
            reference::textbook_factor(n, expected_a);
            reference::textbook_solve(n, expected_a, expected_b);
            linalg::crout_factor(static_cast<double>(n), a, form);
            linalg::SOLVE(static_cast<double>(n), a, b);
            ASSERT_TRUE(!std::memcmp(a.data(), expected_a.data(), a.size() * sizeof(double)) &&
                        !std::memcmp(b.data(), expected_b.data(), b.size() * sizeof(double)))
                << n << (form == linalg::KernelForm::Avx2 ? " Avx2" : " Portable");
        }
    }
}

// A fault met by the program's factorisation or solver ends the run with the report of the
// first fault that the method's own order meets under IEEE rules, whatever order a fast form
// meets its faults in: the textbook's loops (runs_reference.hpp) stand for that order. The
// report file keeps the records shown before it, and nothing after it is shown. The same where
// the traps do not take effect: the operations' own checks find the fault.
TEST(Crout, AZeroPivotOrAnOverflowEndsTheRunAtTheTextbooksFirstFault) {
    const std::string kinds[] = {"invalid", "", "divide by zero", "overflow"}; // 6101 to 6104
    const std::string cases[] = {
        // N, then A row by row, then B.
        "2  0 1  1 1  1 1",              // the first row of U over A(1, 1) = 0
        "3  0 0 1  1 1 1  1 1 1  1 1 1", // 0 / 0 first
        "3  1 1 1  1 1 2  1 1 1  1 1 1", // stage 2: the pivot 1 - 1 * 1
        "3  1 1 1  1 1 1  1 1 1  1 1 1",
        // The fast kernel meets an overflow at U(2, 4) first, the method this division at U(2, 3).
        "4  1 1 1 1e200  1e200 1e200 0 0  1 2 3 4  5 6 7 8  1 1 1 1",
        "3  1 0 0  0 1 1e200  0 1e200 1  0 0 0", // an overflow in the last pivot's last term
        "2  1 1  1 1  1 2",                      // a zero last pivot: the solver's division by it
        "2  1 1  1 1  1 1",
        "1  0  1",                       // the forward substitution's first division
        "2  1e-200 0  1e200 1  1 1",     // an overflow in the forward substitution
        "3  2 1 1  1 2 1  1 1 2  1 2 3", // no fault
    };
    for (const std::string& matrix : cases) {
        std::istringstream in(matrix);
        std::size_t n = 0;
        in >> n;
        std::vector<double> a(n * n), b(n);
        for (std::size_t k = 0; k < n * n; ++k) in >> a[k / n + k % n * n];
        for (double& component : b) in >> component;
        reference::first_fault = 0;
        reference::textbook_factor(int(n), a);
        reference::textbook_solve(int(n), a, b);
        const int fault = reference::first_fault;
        const std::string err = fault ? report("M" + std::to_string(fault) + ": MATH",
                                               "floating-point error: " + kinds[fault - 6101])
                                      : "";
        for (const std::string traps : {"", "notraps "}) {
            TempDir dir;
            RunResult r =
                run_probe(dir, {.args = words(traps + "open label:before solve " + matrix)});
            SCOPED_TRACE(traps + matrix);
            EXPECT_EQ(std::tie(r.status, r.err), std::tuple(fault ? 1 : 0, err));
            EXPECT_EQ(dir.read("resul3.doc"), " before\r\n");
        }
    }
}

} // namespace
