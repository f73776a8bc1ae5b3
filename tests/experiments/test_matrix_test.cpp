// The test matrices entry by entry: above the diagonal 3^-(j-i) rounded once to 64 bits and then
// stored to double (MPFR's power, correctly rounded, stands for the exact one); 1/i on the
// diagonal; 4^-(i-j) below it, exact; kind 2's corner the single-precision 1.0001 over N.

#include <bit>
#include <cmath>
#include <vector>

#include <gtest/gtest.h>
#include <mpfr.h>

#include "experiments/test_matrix.hpp"

namespace {

double expected_entry(int i, int j, int n, int kind) {
    if (j > i) {
        mpfr_t three, power;
        mpfr_inits2(64, three, power, static_cast<mpfr_ptr>(nullptr));
        mpfr_set_ui(three, 3, MPFR_RNDN);
        mpfr_pow_si(power, three, i - j, MPFR_RNDN);
        const double stored = mpfr_get_d(power, MPFR_RNDN);
        mpfr_clears(three, power, static_cast<mpfr_ptr>(nullptr));
        return stored;
    }
    if (j < i) return std::ldexp(1.0, 2 * (j - i));
    if (kind == 2 && i == n) return std::bit_cast<double>(0x3FF00068E0000000u) / n;
    return 1.0 / i;
}

TEST(TestMatrix, EveryEntryOfBothKinds) {
    for (int n : {1, 6, 10, 50, 100}) {
        for (std::int32_t kind : {1, 2, 0, 3, -2}) {
            std::vector<double> a(static_cast<std::size_t>(n * n), -1.0);
            experiments::fill_test_matrix(static_cast<double>(n), kind, a);
            for (int k = 0; k < n * n; ++k) // column-major: entry (k % n + 1, k / n + 1)
                ASSERT_EQ(a[static_cast<std::size_t>(k)],
                          expected_entry(k % n + 1, k / n + 1, n, kind))
                    << "n " << n << " kind " << kind << " entry " << k;
        }
    }
}

} // namespace
