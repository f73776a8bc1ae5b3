// Crout's method: the factorisation in the method's own order and through the fast kernel's
// forms, the substitutions, and the determinant.
//
//   factor_in_order     the stages as the method writes them; the order in which faults are met
//   kernel_form_runs_here, crout_factor, LU
//                       the fast kernel with the traps masked, or the method's order on a fault
//   crout_factor_in_order
//                       the method's order alone, checked or plain, for the benchmarks
//   forward_*, back_substitute, SOLVE
//                       the two substitutions
//   determinant         the product of the pivots

#include "linalg/crout.hpp"

#include <algorithm>
#include <array>
#include <cassert>

#include "linalg/column_major.hpp"
#include "linalg/crout_kernel.hpp"
#include "linalg/kernel_forms.hpp"
#include "platform/processor.hpp"
#include "runtime/checked.hpp"
#include "runtime/float_environment.hpp"
#include "runtime/truncate.hpp"

namespace linalg {

using runtime::truncate_to_int;

namespace {

// Crout's method as it is written: stage by stage, every element receiving its terms in
// increasing order of L. This is the order in which a zero pivot or an overflow is met; each
// operation checks its result unless Checks says not to (the benchmark of what checks cost). Each
// element is reduced in a local and stored once: the same operations in the same order, and the
// compiler need not store it around each check.
template <bool Checks> void factor_in_order(const ColumnMajor& a, int n, int last_stage) {
    using runtime::checked::divide, runtime::checked::multiply, runtime::checked::subtract;
    // First row of U; column 1 of L is column 1 of A.
    for (int J = 2; J <= n; ++J) a(1, J) = divide<Checks>(a(1, J), a(1, 1));

    for (int K = 2; K <= last_stage; ++K) {
        // Column K of L.
        for (int I = K; I <= n; ++I) {
            double lik = a(I, K);
            for (int L = 1; L <= K - 1; ++L)
                lik = subtract<Checks>(lik, multiply<Checks>(a(I, L), a(L, K)));
            a(I, K) = lik;
        }
        // Row K of U, each element fully reduced before it is divided by the new pivot.
        for (int J = K + 1; J <= n; ++J) {
            double ukj = a(K, J);
            for (int L = 1; L <= K - 1; ++L)
                ukj = subtract<Checks>(ukj, multiply<Checks>(a(K, L), a(L, J)));
            a(K, J) = divide<Checks>(ukj, a(K, K));
        }
    }

    // The last pivot. A zero one is no fault here: it shows as a zero determinant, and the
    // solver's division by it ends the run.
    double last = a(n, n);
    for (int L = 1; L <= last_stage; ++L)
        last = subtract<Checks>(last, multiply<Checks>(a(n, L), a(L, n)));
    a(n, n) = last;
}

// The portable form of the fast kernel, for any processor.
void factor_by_columns_portable(double* a, int n, int last_stage, double* u_rows) {
    kernel::factor_by_columns(a, n, last_stage, u_rows);
}

kernel::Form kernel_of(KernelForm form) {
    return form == KernelForm::Avx2 ? kernel::avx2_form : factor_by_columns_portable;
}

// Back substitution, U x = y; U's diagonal is 1, so there is nothing to divide by. Each
// component needs every one below it, so this keeps the method's order in both forms, each
// operation checked.
void back_substitute(const ColumnMajor& a, const Vector& b, int n, int first_back) {
    using runtime::checked::multiply, runtime::checked::subtract;
    for (int I = first_back; I >= 1; --I) {
        double xi = b(I);
        for (int L = I + 1; L <= n; ++L) xi = subtract(xi, multiply(a(I, L), b(L)));
        b(I) = xi;
    }
}

// Forward substitution, L y = b, as it is written, each operation checked.
void forward_in_order(const ColumnMajor& a, const Vector& b, int n) {
    using runtime::checked::divide, runtime::checked::multiply, runtime::checked::subtract;
    b(1) = divide(b(1), a(1, 1));
    for (int I = 2; I <= n; ++I) {
        double yi = b(I);
        for (int L = 1; L <= I - 1; ++L) yi = subtract(yi, multiply(a(I, L), b(L)));
        b(I) = divide(yi, a(I, I));
    }
}

// The forward substitution by columns: once y(L) is final, column L of L is taken off the
// components below it. Each component still receives its terms in increasing L, then its
// division.
void forward_by_columns(const ColumnMajor& a, const Vector& b, int n) {
    for (int L = 1; L <= n; ++L) {
        b(L) = b(L) / a(L, L);
        const double y = b(L);
        for (int I = L + 1; I <= n; ++I) b(I) = b(I) - a(I, L) * y;
    }
}

// Working storage for the largest order, like A itself: the factorisation and the solve ask
// the system for no memory.
struct Scratch {
    std::array<double, kLargestOrder * kLargestOrder> original; // A's or B's copy for a rerun
    std::array<double, kLargestOrder * kLargestOrder> u_rows;   // U kept row by row
};
Scratch scratch;

} // namespace

bool kernel_form_runs_here(KernelForm form) {
    static const bool avx2 = kernel::avx2_form != nullptr && platform::processor_runs_avx2();
    return form == KernelForm::Avx2 ? avx2 : form == KernelForm::Portable;
}

void crout_factor(const double& N, std::span<double> A, KernelForm form) {
    const int n = truncate_to_int(N);
    const int last_stage = truncate_to_int(runtime::checked::subtract(N, 1.0));
    if (n < 1) return;
    assert(n <= kLargestOrder && kernel_form_runs_here(form));
    const auto size = std::ptrdiff_t(n) * n;
    // The fast form runs with the traps masked. Should it raise a fault, the factorisation
    // runs again from the original in the order of the method, where the trap, or the check
    // of the operation, reports the fault at the very operation that meets it.
    std::copy_n(A.begin(), size, scratch.original.begin());
    const kernel::Form fast = kernel_of(form);
    if (runtime::runs_clean_masked([&] { fast(A.data(), n, last_stage, scratch.u_rows.data()); }))
        return;
    std::copy_n(scratch.original.begin(), size, A.begin());
    factor_in_order<true>(ColumnMajor(A, n), n, last_stage);
}

void crout_factor_in_order(const double& N, std::span<double> A, bool checked) {
    const int n = truncate_to_int(N);
    const int last_stage = truncate_to_int(runtime::checked::subtract(N, 1.0));
    if (n < 1) return;
    if (checked)
        factor_in_order<true>(ColumnMajor(A, n), n, last_stage);
    else
        factor_in_order<false>(ColumnMajor(A, n), n, last_stage);
}

void LU(const double& N, std::span<double> A) {
    crout_factor(N, A,
                 kernel_form_runs_here(KernelForm::Avx2) ? KernelForm::Avx2 : KernelForm::Portable);
}

void SOLVE(const double& N, std::span<double> A, std::span<double> B) {
    const int n = truncate_to_int(N);
    const int first_back = truncate_to_int(runtime::checked::subtract(N, 1.0));
    const ColumnMajor a(A, n);
    const Vector b(B);
    if (n < 1) return;
    // L y = B, by columns with the traps masked; on a fault, again from B in the method's
    // order, where the trap or the check reports it. Then U x = y.
    std::copy_n(B.begin(), n, scratch.original.begin());
    if (!runtime::runs_clean_masked([&] { forward_by_columns(a, b, n); })) {
        std::copy_n(scratch.original.begin(), n, B.begin());
        forward_in_order(a, b, n);
    }
    back_substitute(a, b, n, first_back);
}

double determinant(const double& N, std::span<double> A) {
    const int n = truncate_to_int(N);
    const ColumnMajor a(A, n);
    double DET = 1.0;
    for (int J = 1; J <= n; ++J) DET = runtime::checked::multiply(a(J, J), DET);
    return DET;
}

} // namespace linalg
