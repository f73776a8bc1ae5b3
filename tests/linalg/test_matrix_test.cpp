// The test matrices entry by entry: above the diagonal 3^-(j-i) rounded once to 64 bits and then
// stored to double (MPFR's power, correctly rounded, stands for the exact one); 1/i on the
// diagonal; 4^-(i-j) below it, exact; kind 2's corner the single-precision 1.0001 over N.

#include <gtest/gtest.h>

#include "linalg/test_matrix.hpp"
#include "tests/linalg/runs_reference.hpp"

TEST(TestMatrix, EveryEntryOfBothKinds) {
    for (int n : {1, 6, 10, 50, 100}) {
        for (std::int32_t kind : {1, 2, 0, 3, -2}) {
            std::vector<double> a(static_cast<std::size_t>(n * n), -1.0);
            linalg::MAT(static_cast<double>(n), kind, a);
            ASSERT_EQ(a, reference::test_matrix(n, kind)) << "n " << n << " kind " << kind;
        }
    }
}
