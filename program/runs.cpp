// The two runs: the numerics of linalg/ on the program state, and when each run shows what of
// them (display.hpp), with the pauses between.

#include "program/runs.hpp"

#include <cmath>

#include "linalg/column_major.hpp"
#include "linalg/crout.hpp"
#include "linalg/double_loop.hpp"
#include "linalg/right_hand_side.hpp"
#include "linalg/test_matrix.hpp"
#include "program/display.hpp"
#include "runtime/checked.hpp"
#include "runtime/truncate.hpp"

namespace program {

using linalg::COEF;
using linalg::ColumnMajor;
using linalg::LU;
using linalg::MAT;
using linalg::SOLVE;
using linalg::Vector;
namespace checked = runtime::checked;
using runtime::truncate_to_int;

namespace {

// After MAT: at order 6, the test matrix, then a pause.
void show_test_matrix(const double& N, std::span<double> A, Display& display) {
    if (N == 6.0) display.test_matrix(ColumnMajor(A, truncate_to_int(N)), truncate_to_int(N));
}

// After LU: at order 6, the factors and a pause, then the determinant and another pause.
void show_factors(const double& N, std::span<double> A, Display& display) {
    if (N != 6.0) return;
    display.factors(ColumnMajor(A, truncate_to_int(N)), truncate_to_int(N));
    display.determinant(linalg::determinant(N, A));
    display.pause();
}

} // namespace

void run_inverse_and_determinant(ProgramState& state, io::UnitTable& units) {
    Display display(units);
    double& N = state.N;
    const std::span<double> A = state.A, B = state.B;
    const ColumnMajor INV(state.INV, 10);
    const Vector b(B);

    N = 6.0;
    MAT(N, 1, A); // the kind-1 matrix
    show_test_matrix(N, A, display);
    LU(N, A);
    show_factors(N, A, display);

    // Column J of the inverse solves A x = e(J) with the factors.
    const int n = truncate_to_int(N);
    for (int J = 1; J <= n; ++J) {
        for (int I = 1; I <= n; ++I) b(I) = 0.0;
        b(J) = 1.0;
        SOLVE(N, A, B);
        for (int I = 1; I <= n; ++I) INV(I, J) = b(I);
        if (static_cast<double>(J) == N) display.inverse(INV, n);
    }
}

void run_accuracy_sweep(ProgramState& state, io::UnitTable& units) {
    Display display(units);
    double &N = state.N, &NORM0 = state.NORM0;
    const std::span<double> A = state.A, B = state.B;
    const Vector b(B);

    for (std::int32_t J = 1; J <= 2; ++J) { // the matrix kind
        linalg::for_double(N, 10.0, 50.0, 10.0, [&] {
            // At these orders MAT and LU are followed by no record and no pause.
            MAT(N, J, A);
            show_test_matrix(N, A, display);
            COEF(N, B);
            LU(N, A);
            show_factors(N, A, display);
            SOLVE(N, A, B);
            const int n = truncate_to_int(N);
            if (N == 10.0) {
                display.solutions_heading();
                for (int I = 1; I <= n; ++I) display.solution(b(I));
                display.pause();
            }
            // The error norm: the largest distance of a component from 1 (a later equal one
            // takes the place of an earlier).
            NORM0 = 0.0;
            for (int I = 1; I <= n; ++I) {
                const double NORM1 = std::fabs(checked::subtract(b(I), 1.0));
                if (checked::greater_equal(NORM1, NORM0)) NORM0 = NORM1;
            }
            display.norm(N, NORM0);
            display.pause();
        });
    }
}

} // namespace program
