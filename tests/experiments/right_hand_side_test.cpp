// The right-hand side: each entry is the row sum of the kind-1 matrix, to within a few ulps of
// the exact rational sum, at every order the storage holds.

#include <cmath>
#include <vector>

#include <gmpxx.h>
#include <gtest/gtest.h>

#include "experiments/right_hand_side.hpp"

namespace {

mpq_class exact_row_sum(int i, int n) {
    mpq_class sum(1, static_cast<unsigned long>(i));
    mpq_class third(1, 3), quarter(1, 4), term;
    term = 1;
    for (int j = i + 1; j <= n; ++j) sum += (term *= third);
    term = 1;
    for (int j = i - 1; j >= 1; --j) sum += (term *= quarter);
    return sum;
}

TEST(RightHandSide, RowSumsOfTheKindOneMatrixAtEveryOrder) {
    for (int n = 1; n <= 100; ++n) {
        std::vector<double> b(static_cast<std::size_t>(n), -1.0);
        const double N = n;
        experiments::COEF(N, b);
        for (int i = 1; i <= n; ++i) {
            double got = b[static_cast<std::size_t>(i - 1)];
            double ulp = std::nextafter(got, INFINITY) - got;
            mpq_class error = abs(mpq_class(got) - exact_row_sum(i, n));
            EXPECT_TRUE(error <= 4 * ulp)
                << "n " << n << " B(" << i << "): " << error.get_d() / ulp << " ulps";
        }
    }
}

TEST(RightHandSide, TheWorkedValues) {
    std::vector<double> b(10);
    experiments::COEF(10.0, b);
    EXPECT_NEAR(b[0], 1.49997459736829, 0.5e-14);
    EXPECT_NEAR(b[9], 0.433332061767578, 0.5e-15);
    std::vector<double> one(1);
    experiments::COEF(1.0, one);
    EXPECT_EQ(one[0], 1.0);
}

} // namespace
