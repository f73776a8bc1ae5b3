#pragma once
// The ways LU can factor, for the tests and benchmarks that run each of them: the forms of the
// fast kernel, and the method's own order alone.

#include <span>

namespace linalg {

// The forms of the factorisation's fast kernel, each giving the same bits as the method's own
// order: one for any processor, and one in AVX2's four lanes of doubles, built only where the
// system keeps AVX2's registers. LU takes the AVX2 form where it runs.
enum class KernelForm { Portable, Avx2 };
bool kernel_form_runs_here(KernelForm form);
// LU in the form given, which must run here.
void crout_factor(const double& N, std::span<double> A, KernelForm form);

// LU in the method's own order alone, which the fast kernel falls back to on a fault, each
// operation checking its result or not (runtime/checked.hpp): for the benchmarks, which measure
// what the checks cost.
void crout_factor_in_order(const double& N, std::span<double> A, bool checked);

} // namespace linalg
