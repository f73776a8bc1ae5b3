#pragma once
// The right-hand side of the accuracy sweep: the row sums of the kind-1 test matrix in closed
// form, so that the exact solution of the kind-1 system is the vector of ones.

#include <span>

namespace linalg {

// COEF: fills B(1..N).
void COEF(const double& N, std::span<double> B);

} // namespace linalg
