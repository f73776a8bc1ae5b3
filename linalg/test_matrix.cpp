// MAT: the test matrices, each entry computed once for the largest order filled yet.
#include "linalg/test_matrix.hpp"

#include <algorithm>
#include <array>
#include <cassert>

#include "linalg/column_major.hpp"
#include "linalg/crout.hpp"
#include "linalg/double_loop.hpp"
#include "runtime/bit_cast.hpp"
#include "runtime/checked.hpp"
#include "runtime/power.hpp"
#include "runtime/truncate.hpp"

namespace linalg {

namespace {

// The kind-2 corner is this constant over N: 1.0001 as a single-precision number, widened. It
// is not the double nearest to 1.0001, and the shown digits depend on the difference.
constexpr double kCornerNumerator = static_cast<double>(1.0001f);
static_assert(runtime::bit_cast<std::uint64_t>(kCornerNumerator) == 0x3FF00068E0000000);

// Every entry of kind 1 is a function of its row and column alone, so the matrix of an order is
// the leading block of every larger one. The entries computed so far are kept, for the largest
// order filled yet, and a fill computes only the rows and columns beyond it: the sweep's five
// orders and two kinds compute each entry once.
struct KnownEntries {
    std::array<double, kLargestOrder * kLargestOrder> storage; // leading dimension kLargestOrder
    int order = 0; // entries (1..order, 1..order) are known
};

KnownEntries& known_entries() {
    static KnownEntries known{};
    return known;
}

// Computes the entries of order N that are not known yet: 3^(I-J) above the diagonal, 1/I on
// it, 4^J / 4^I below it. Each power enters its operation unrounded; the one above the diagonal
// is stored, so rounded to double.
void compute_new_entries(const double& N, KnownEntries& known) {
    using runtime::power;
    using runtime::truncate_to_int;
    using runtime::checked::divide, runtime::checked::less, runtime::checked::subtract;
    const ColumnMajor entry(known.storage, kLargestOrder);
    double I = 0.0, J = 0.0;
    for_double(I, 1.0, N, 1.0, [&] {
        for_double(J, 1.0, N, 1.0, [&] {
            const int i = truncate_to_int(I), j = truncate_to_int(J);
            if (i <= known.order && j <= known.order) return;
            if (less(I, J)) entry(i, j) = static_cast<double>(power(3.0, subtract(I, J)));
            if (J == I) entry(i, j) = divide(1.0, I);
            if (less(J, I)) {
                runtime::Extended upper = power(4.0, J); // taken first, then the lower power
                runtime::Extended lower = power(4.0, I);
                entry(i, j) = upper / lower;
            }
        });
    });
    known.order = truncate_to_int(N);
}

} // namespace

void MAT(const double& N, const std::int32_t& K, std::span<double> A) {
    const int n = runtime::truncate_to_int(N);
    assert(n <= kLargestOrder);
    KnownEntries& known = known_entries();
    if (n > known.order) compute_new_entries(N, known);
    const ColumnMajor kept(known.storage, kLargestOrder);
    const ColumnMajor a(A, n);
    for (int j = 1; j <= n; ++j) std::copy_n(&kept(1, j), n, &a(1, j));
    if (K == 2) a(n, n) = runtime::checked::divide(kCornerNumerator, N);
}

} // namespace linalg
