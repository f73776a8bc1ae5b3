// Crout's factorisation and the substitution solver: bit for bit the textbook's loops. (A fault
// ends the run at the one the textbook's order meets first: tests/program/faults_test.cpp.)

#include <cstring>
#include <random>

#include <gtest/gtest.h>

#include "linalg/crout.hpp"
#include "linalg/kernel_forms.hpp"
#include "tests/linalg/runs_reference.hpp"

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
