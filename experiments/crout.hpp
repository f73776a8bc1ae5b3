#pragma once
// Crout's method without pivoting: A = L U with L lower triangular (its diagonal included) and
// U unit upper triangular, both kept in A's own storage; and the solution of A x = b with them.
//
// Matrices are N x N, column-major with leading dimension N. The updates are made in place,
// the terms of each sum subtracted one at a time in increasing order of the summation index,
// each product rounded before its subtraction: another order, or a wider accumulator, changes
// the shown digits. No pivot is tested: a zero one ends the run at its division with the
// math-error report.

#include <span>

#include "experiments/display.hpp"

namespace experiments {

// The program's largest order; the kernel's working storage is sized for it, like A.
inline constexpr int kLargestOrder = 100;

// Steps 1 to 3 of LU: A is replaced by L on and below the diagonal and U above it (U's unit
// diagonal is not stored). N is at most kLargestOrder.
void crout_factor(const double& N, std::span<double> A);

// The forms of the factorisation's fast kernel, each giving the same bits: one for any
// processor, and one in AVX2's four lanes of doubles. crout_factor takes the AVX2 form where it
// runs; tests run each form that runs here.
enum class KernelForm { Portable, Avx2 };
bool kernel_form_runs_here(KernelForm form);
void crout_factor(const double& N, std::span<double> A, KernelForm form);

// The factorisation in the order of the method, which the fast kernel falls back to when it
// meets a fault, each operation checking its result or not (runtime/checked.hpp): for the
// benchmarks, which measure what the checks cost.
void crout_factor_in_order(const double& N, std::span<double> A, bool checked);

// DET: the product of the diagonal of the factored A, taken from the first entry to the last.
double determinant(const double& N, std::span<double> A);

// LU: factors A in place; when N is 6, also shows the factors under "Matriz LU", pauses, shows
// the determinant and pauses again.
void LU(const double& N, std::span<double> A, Display& display);

// SOLVE: B is replaced by the solution of (L U) x = B: forward substitution with L, then back
// substitution with U.
void SOLVE(const double& N, std::span<double> A, std::span<double> B);

} // namespace experiments
