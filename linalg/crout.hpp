#pragma once
// Crout's method without pivoting: LU factors A = L U in A's own storage, SOLVE solves
// A x = b with the factors, and determinant takes the product of the pivots.
//
// Matrices are N x N, column-major with leading dimension N. The updates are made in place,
// the terms of each sum subtracted one at a time in increasing order of the summation index,
// each product rounded before its subtraction: another order, or a wider accumulator, changes
// the shown digits. No pivot is tested: a zero one ends the run at its division with the
// math-error report.

#include <span>

namespace linalg {

// The program's largest order; the kernel's working storage is sized for it, like A.
inline constexpr int kLargestOrder = 100;

// LU computes the Crout factorisation of the N x N matrix A, without pivoting:
//
//     A = L * U
//
// where L is lower triangular (its diagonal included) and U is unit upper triangular. For
// K = 1, ..., N:
//
//     L(I,K) = A(I,K) - sum(L(I,P) * U(P,K), P = 1..K-1),            I = K..N
//     U(K,J) = (A(K,J) - sum(L(K,P) * U(P,J), P = 1..K-1)) / L(K,K),  J = K+1..N
//
// N  (in)     The order of A, 0 <= N <= kLargestOrder; an order below 1 leaves A alone.
// A  (inout)  On entry, the matrix. On exit, L on and below the diagonal and U above it;
//             U's unit diagonal is not stored.
//
// A zero pivot L(K,K), K < N, ends the run at the division by it; a zero L(N,N) is no fault
// here (the determinant is then zero, and SOLVE divides by it).
void LU(const double& N, std::span<double> A);

// SOLVE solves A * x = B with the factors that LU left in A:
//
//     L * y = B   by forward substitution,  y(I) = (B(I) - sum(L(I,P) * y(P), P < I)) / L(I,I)
//     U * x = y   by back substitution,     x(I) =  y(I) - sum(U(I,P) * x(P), P > I)
//
// N  (in)     The order of A.
// A  (in)     The factors L and U, as LU leaves them.
// B  (inout)  On entry, the right-hand side B(1..N). On exit, the solution x.
void SOLVE(const double& N, std::span<double> A, std::span<double> B);

// The determinant of the factored A: the product of L's diagonal, L(1,1) first.
double determinant(const double& N, std::span<double> A);

} // namespace linalg
