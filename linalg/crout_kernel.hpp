#pragma once
// The factorisation's fast kernel, for the source files that compile its forms: the stages of
// Crout's method with each update turned to run along contiguous storage, and the forms'
// common signature. Every function here is inlined into the form that calls it, so each form
// is compiled whole for its own instruction set.

#include <algorithm>
#include <cstddef>

namespace linalg::kernel {

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

// Crout's stages with each update turned so that its innermost loop runs along contiguous
// storage: down column K for L, and along the rows of U, which are also kept row by row in
// u_rows as they are finished. Every element still receives the same terms in the same order,
// and each pivot divides its row in the same order, so every result is bit for bit the one of
// the method's own order (crout.cpp); only the order in which different elements take their
// turns differs. The innermost loops run in vector lanes where the form is compiled for them,
// each lane doing the same rounded operations.
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

// A form of the kernel: factors the n x n matrix at a (leading dimension n) through stage
// last_stage, with u_rows as working storage for U's rows.
using Form = void (*)(double* a, int n, int last_stage, double* u_rows);

// The AVX2 form (crout_kernel_avx2.cpp), or null where the build leaves it out
// (crout_kernel_no_avx2.cpp).
extern const Form avx2_form;

} // namespace linalg::kernel
