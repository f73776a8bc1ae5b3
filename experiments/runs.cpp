#include "experiments/runs.hpp"

#include <cmath>

#include "experiments/column_major.hpp"
#include "experiments/crout.hpp"
#include "experiments/display.hpp"
#include "experiments/double_loop.hpp"
#include "experiments/right_hand_side.hpp"
#include "experiments/test_matrix.hpp"
#include "runtime/checked.hpp"
#include "runtime/truncate.hpp"

namespace experiments {

namespace checked = runtime::checked;
using runtime::truncate_to_int;

void run_inverse_and_determinant(ProgramState& state, io::UnitTable& units) {
    Display display(units);
    double& N = state.N;
    std::int32_t &I = state.I, &J = state.J;
    const std::span<double> A = state.A, B = state.B;
    const ColumnMajor INV(state.INV, 10);
    const Vector b(B);

    N = 6.0;
    state.M = 1;
    MAT(N, state.M, A, display); // shows "Matriz A", pauses
    LU(N, A, display);           // shows "Matriz LU", pauses, shows the determinant, pauses

    // Column J of the inverse solves A x = e(J) with the factors.
    const int n = truncate_to_int(N);
    for (J = 1; J <= n; ++J) {
        for (I = 1; I <= n; ++I) b(I) = 0.0;
        b(J) = 1.0;
        SOLVE(N, A, B);
        for (I = 1; I <= n; ++I) INV(I, J) = b(I);
        if (static_cast<double>(J) == N) display.matrix("Inversa", INV, n);
    }
}

void run_accuracy_sweep(ProgramState& state, io::UnitTable& units) {
    Display display(units);
    double &N = state.N, &NORM0 = state.NORM0, &NORM1 = state.NORM1;
    std::int32_t &I = state.I, &J = state.J;
    const std::span<double> A = state.A, B = state.B;
    const Vector b(B);

    for (J = 1; J <= 2; ++J) { // the matrix kind
        for_double(N, 10.0, 50.0, 10.0, [&] {
            MAT(N, J, A, display);
            COEF(N, B);
            LU(N, A, display);
            SOLVE(N, A, B);
            const int n = truncate_to_int(N);
            if (N == 10.0) {
                display.label("Soluciones para n=10");
                display.empty_report_record();
                for (I = 1; I <= n; ++I) display.solution(b(I));
                display.pause();
            }
            // The error norm: the largest distance of a component from 1 (a later equal one
            // takes the place of an earlier).
            NORM0 = 0.0;
            for (I = 1; I <= n; ++I) {
                NORM1 = std::fabs(checked::subtract(b(I), 1.0));
                if (checked::greater_equal(NORM1, NORM0)) NORM0 = NORM1;
            }
            display.norm(N, NORM0);
            display.pause();
        });
    }
}

} // namespace experiments
