#include "experiments/test_matrix.hpp"

#include <bit>

#include "experiments/column_major.hpp"
#include "experiments/double_loop.hpp"
#include "runtime/ftol.hpp"
#include "runtime/power.hpp"

namespace experiments {

namespace {

// The kind-2 corner is this constant over N: 1.0001 as a single-precision number, widened. It
// is not the double nearest to 1.0001, and the shown digits depend on the difference.
constexpr double kCornerNumerator = static_cast<double>(1.0001f);
static_assert(std::bit_cast<std::uint64_t>(kCornerNumerator) == 0x3FF00068E0000000);

} // namespace

void fill_test_matrix(const double& N, const std::int32_t& K, std::span<double> A) {
    using runtime::FIfexp;
    using runtime::ftol;
    const ColumnMajor a(A, ftol(N));
    double I = 0.0, J = 0.0;
    for_double(I, 1.0, N, 1.0, [&] {
        for_double(J, 1.0, N, 1.0, [&] {
            double& entry = a(ftol(I), ftol(J));
            if (J > I) entry = static_cast<double>(FIfexp(3.0, I - J));
            if (J == I) entry = 1.0 / I;
            if (J < I) {
                runtime::Extended upper = FIfexp(4.0, J); // taken first, then the lower power
                runtime::Extended lower = FIfexp(4.0, I);
                entry = upper / lower;
            }
        });
    });
    if (K == 2) a(ftol(N), ftol(N)) = kCornerNumerator / N;
}

void MAT(const double& N, const std::int32_t& K, std::span<double> A, Display& display) {
    fill_test_matrix(N, K, A);
    if (N == 6.0) display.matrix("Matriz A", ColumnMajor(A, runtime::ftol(N)), runtime::ftol(N));
}

} // namespace experiments
