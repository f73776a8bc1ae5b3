#include "experiments/crout.hpp"

#include <algorithm>
#include <array>
#include <cassert>

#include "experiments/column_major.hpp"
#include "runtime/checked.hpp"
#include "runtime/math_error.hpp"
#include "runtime/truncate.hpp"

// The AVX2 form of the kernel, where the compiler and the C library support it: the library
// tells which features the processor has and the system keeps (Windows on x86-64 does not keep
// the stack aligned for 32-byte spills, and has no such library).
#if defined(__x86_64__) && defined(__GNUC__) && __has_include(<sys/platform/x86.h>)
#define CROUT_KERNEL_AVX2 1
#include <sys/platform/x86.h>
#else
#define CROUT_KERNEL_AVX2 0
#endif

namespace experiments {

using runtime::truncate_to_int;

namespace {

// Crout's method as it is written: stage by stage, every element receiving its terms in
// increasing order of L. This is the order in which a zero pivot or an overflow is met; each
// operation checks its result where Checks says so (runtime/checked.hpp).
template <bool Checks> void factor_in_order(const ColumnMajor& a, int n, int last_stage) {
    using runtime::checked::divide, runtime::checked::multiply, runtime::checked::subtract;
    // First row of U; column 1 of L is column 1 of A.
    for (int J = 2; J <= n; ++J) a(1, J) = divide<Checks>(a(1, J), a(1, 1));

    // Each element is reduced in a local and stored once: the same operations in the same
    // order, and the compiler need not store it around each check's call.
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

// y[i] receives the terms x_L[i] * s_L for L = 0, 1, ..., terms - 1, in that order, each
// product rounded before its subtraction; x_L starts x_step after x_(L-1), and s_L stands
// s_step after s_(L-1). The terms are taken eight at a time, so y is loaded and stored once for
// every eight; there is no dependence from one i to the next.
template <int Terms>
[[gnu::always_inline]] inline void subtract_block(double* __restrict y, int count,
                                                  const double* const* x, const double* s) {
    for (int i = 0; i < count; ++i) {
        double v = y[i];
        for (int t = 0; t < Terms; ++t) v = v - x[t][i] * s[t];
        y[i] = v;
    }
}

[[gnu::always_inline]] inline void subtract_terms(double* __restrict y, int count, const double* x,
                                                  std::size_t x_step, const double* s,
                                                  std::size_t s_step, int terms) {
    for (int L = 0; L < terms; L += 8) {
        const double* xs[8];
        double fs[8];
        const int block = std::min(8, terms - L);
        for (int t = 0; t < block; ++t) {
            xs[t] = x + std::size_t(L + t) * x_step;
            fs[t] = s[std::size_t(L + t) * s_step];
        }
        switch (block) {
        case 8: subtract_block<8>(y, count, xs, fs); break;
        case 7: subtract_block<7>(y, count, xs, fs); break;
        case 6: subtract_block<6>(y, count, xs, fs); break;
        case 5: subtract_block<5>(y, count, xs, fs); break;
        case 4: subtract_block<4>(y, count, xs, fs); break;
        case 3: subtract_block<3>(y, count, xs, fs); break;
        case 2: subtract_block<2>(y, count, xs, fs); break;
        default: subtract_block<1>(y, count, xs, fs); break;
        }
    }
}

// The same stages with each update turned so that its innermost loop runs along contiguous
// storage: down column K for L, and along the rows of U, which are also kept row by row in
// u_rows as they are finished. Every element still receives the same terms in the same order,
// and each pivot divides its row in the same order, so every result is bit for bit the one
// above; only the order in which different elements take their turns differs. The innermost
// loops run in vector lanes where the form is compiled for them, each lane doing the same
// rounded operations.
[[gnu::always_inline]] inline void factor_by_columns(double* a, int n, int last_stage,
                                                     double* u_rows) {
    const std::size_t ld = std::size_t(n);
    const auto A = [&](int i, int j) -> double& {
        return a[std::size_t(i - 1) + std::size_t(j - 1) * ld];
    };
    const auto U = [&](int i, int j) -> double& {
        return u_rows[std::size_t(i - 1) * ld + std::size_t(j - 1)];
    };

    for (int J = 2; J <= n; ++J) U(1, J) = A(1, J) = A(1, J) / A(1, 1);

    for (int K = 2; K <= last_stage; ++K) {
        // Column K of L takes off L(K.., L) * U(L, K) for L = 1, ..., K - 1.
        subtract_terms(&A(K, K), n - K + 1, &A(K, 1), ld, &A(1, K), 1, K - 1);
        // Row K of U: gathered into its row of u_rows, which takes off L(K, L) * U(L, K + 1..)
        // for L = 1, ..., K - 1, then divided by the pivot and stored back.
        for (int J = K + 1; J <= n; ++J) U(K, J) = A(K, J);
        subtract_terms(&U(K, K + 1), n - K, &U(1, K + 1), ld, &A(K, 1), ld, K - 1);
        const double pivot = A(K, K);
        for (int J = K + 1; J <= n; ++J) A(K, J) = U(K, J) = U(K, J) / pivot;
    }

    double& corner = A(n, n);
    for (int L = 1; L <= last_stage; ++L) corner = corner - A(n, L) * A(L, n);
}

// The forms compiled from it.
using Kernel = void (*)(double* a, int n, int last_stage, double* u_rows);
void factor_by_columns_portable(double* a, int n, int last_stage, double* u_rows) {
    factor_by_columns(a, n, last_stage, u_rows);
}
#if CROUT_KERNEL_AVX2
[[gnu::target("avx2")]] void factor_by_columns_avx2(double* a, int n, int last_stage,
                                                    double* u_rows) {
    factor_by_columns(a, n, last_stage, u_rows);
}
#endif

#if CROUT_KERNEL_AVX2
// Whether the processor has AVX2 and the system keeps its registers, as the C library found at
// its start-up: asking costs nothing.
bool processor_runs_avx2() {
    return CPU_FEATURE_ACTIVE(AVX2);
}
#endif

Kernel kernel_of([[maybe_unused]] KernelForm form) {
#if CROUT_KERNEL_AVX2
    if (form == KernelForm::Avx2) return factor_by_columns_avx2;
#endif
    return factor_by_columns_portable;
}

// Back substitution, U x = y; U's diagonal is 1, so there is nothing to divide by. Each
// component needs every one below it, so this keeps the textbook order in both forms, and
// checks its operations where the program's arithmetic does.
void back_substitute(const ColumnMajor& a, const Vector& b, int n, int first_back) {
    using runtime::checked::multiply, runtime::checked::subtract;
    for (int I = first_back; I >= 1; --I) {
        double xi = b(I);
        for (int L = I + 1; L <= n; ++L) xi = subtract(xi, multiply(a(I, L), b(L)));
        b(I) = xi;
    }
}

// Forward substitution, L y = b, as it is written, each operation checked where the program's
// arithmetic is.
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
#if CROUT_KERNEL_AVX2
    static const bool avx2 = processor_runs_avx2();
    if (form == KernelForm::Avx2) return avx2;
#endif
    return form == KernelForm::Portable;
}

void crout_factor(const double& N, std::span<double> A) {
    crout_factor(N, A,
                 kernel_form_runs_here(KernelForm::Avx2) ? KernelForm::Avx2 : KernelForm::Portable);
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
    const Kernel fast = kernel_of(form);
    if (runtime::runs_clean_masked([&] { fast(A.data(), n, last_stage, scratch.u_rows.data()); }))
        return;
    std::copy_n(scratch.original.begin(), size, A.begin());
    factor_in_order<runtime::kArithmeticChecked>(ColumnMajor(A, n), n, last_stage);
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

double determinant(const double& N, std::span<double> A) {
    const int n = truncate_to_int(N);
    const ColumnMajor a(A, n);
    double DET = 1.0;
    for (int J = 1; J <= n; ++J) DET = runtime::checked::multiply(a(J, J), DET);
    return DET;
}

void LU(const double& N, std::span<double> A, Display& display) {
    crout_factor(N, A);
    if (N != 6.0) return;
    display.matrix("Matriz LU", ColumnMajor(A, truncate_to_int(N)), truncate_to_int(N));
    display.determinant(determinant(N, A));
    display.pause();
}

void SOLVE(const double& N, std::span<double> A, std::span<double> B) {
    const int n = truncate_to_int(N);
    const int first_back = truncate_to_int(runtime::checked::subtract(N, 1.0));
    const ColumnMajor a(A, n);
    const Vector b(B);
    if (n < 1) return;
    std::copy_n(B.begin(), n, scratch.original.begin());
    if (!runtime::runs_clean_masked([&] { forward_by_columns(a, b, n); })) {
        std::copy_n(scratch.original.begin(), n, B.begin());
        forward_in_order(a, b, n);
    }
    back_substitute(a, b, n, first_back);
}

} // namespace experiments
