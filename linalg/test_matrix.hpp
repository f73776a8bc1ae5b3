#pragma once
// The test matrices: 1/i on the diagonal, 3^-(j-i) above it, 4^-(i-j) below it (kind 1); kind
// 2 differs only in its last diagonal entry.

#include <cstdint>
#include <span>

namespace linalg {

// MAT fills A(1..N, 1..N), leading dimension N, with the test matrix of kind K (2, or kind 1
// for any other value). N is at most kLargestOrder (crout.hpp).
void MAT(const double& N, const std::int32_t& K, std::span<double> A);

} // namespace linalg
