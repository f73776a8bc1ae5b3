#include "experiments/crout.hpp"

#include "experiments/column_major.hpp"
#include "runtime/ftol.hpp"

namespace experiments {

using runtime::ftol;

void crout_factor(const double& N, std::span<double> A) {
    const int n = ftol(N);
    const int last_stage = ftol(N - 1.0);
    const ColumnMajor a(A, n);

    // First row of U; column 1 of L is column 1 of A.
    for (int J = 2; J <= n; ++J) a(1, J) = a(1, J) / a(1, 1);

    for (int K = 2; K <= last_stage; ++K) {
        // Column K of L.
        for (int I = K; I <= n; ++I)
            for (int L = 1; L <= K - 1; ++L) a(I, K) = a(I, K) - a(I, L) * a(L, K);
        // Row K of U, each element fully reduced before it is divided by the new pivot.
        for (int J = K + 1; J <= n; ++J) {
            for (int L = 1; L <= K - 1; ++L) a(K, J) = a(K, J) - a(K, L) * a(L, J);
            a(K, J) = a(K, J) / a(K, K);
        }
    }

    // The last pivot. A zero one is no fault here: it shows as a zero determinant, and the
    // solver's division by it ends the run.
    for (int L = 1; L <= last_stage; ++L) a(n, n) = a(n, n) - a(n, L) * a(L, n);
}

double determinant(const double& N, std::span<double> A) {
    const int n = ftol(N);
    const ColumnMajor a(A, n);
    double DET = 1.0;
    for (int J = 1; J <= n; ++J) DET = a(J, J) * DET;
    return DET;
}

void LU(const double& N, std::span<double> A, Display& display) {
    crout_factor(N, A);
    if (N != 6.0) return;
    display.matrix("Matriz LU", ColumnMajor(A, ftol(N)), ftol(N));
    display.determinant(determinant(N, A));
    display.pause();
}

void SOLVE(const double& N, std::span<double> A, std::span<double> B) {
    const int n = ftol(N);
    const ColumnMajor a(A, n);
    const Vector b(B);

    // Forward substitution, L y = b.
    b(1) = b(1) / a(1, 1);
    for (int I = 2; I <= n; ++I) {
        for (int L = 1; L <= I - 1; ++L) b(I) = b(I) - a(I, L) * b(L);
        b(I) = b(I) / a(I, I);
    }

    // Back substitution, U x = y; U's diagonal is 1, so there is nothing to divide by.
    for (int I = ftol(N - 1.0); I >= 1; --I)
        for (int L = I + 1; L <= n; ++L) b(I) = b(I) - a(I, L) * b(L);
}

} // namespace experiments
