// The test matrices against exact rationals: above the diagonal 3^-(j-i) rounded once to 64 bits
// and then stored to double; 1/i on the diagonal; 4^-(i-j) below it; kind 2's corner the
// single-precision 1.0001 over N.

#include <bit>
#include <vector>

#include <gtest/gtest.h>

#include "experiments/test_matrix.hpp"
#include "tests/runtime/exact.hpp"

namespace {

std::uint64_t expected_entry(int i, int j, int n, int kind) {
    auto k = static_cast<unsigned long>(i > j ? i - j : j - i);
    if (j > i) {
        auto [num, den] = testsupport::exact_fraction(
            testsupport::exact_extended(1, testsupport::exact_power(3, k)));
        return testsupport::exact_double_bits(num, den);
    }
    if (j < i) return testsupport::exact_double_bits(1, testsupport::exact_power(4, k));
    if (kind == 2 && i == n)
        return testsupport::exact_double_bits(0x100068E0000000, mpz_class(n) << 52);
    return testsupport::exact_double_bits(1, i);
}

TEST(TestMatrix, EveryEntryOfBothKindsAgainstExactRationals) {
    for (int n : {1, 6, 10, 50, 100}) {
        for (std::int32_t kind : {1, 2, 0, 3, -2}) {
            std::vector<double> a(static_cast<std::size_t>(n * n), -1.0);
            experiments::fill_test_matrix(static_cast<double>(n), kind, a);
            for (int k = 0; k < n * n; ++k) // column-major: entry (k % n + 1, k / n + 1)
                ASSERT_EQ(std::bit_cast<std::uint64_t>(a[static_cast<std::size_t>(k)]),
                          expected_entry(k % n + 1, k / n + 1, n, kind))
                    << "n " << n << " kind " << kind << " entry " << k;
        }
    }
}

} // namespace
