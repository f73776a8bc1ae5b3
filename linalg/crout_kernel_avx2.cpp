// The factorisation's kernel compiled for AVX2, whose four lanes of doubles run its innermost
// loops. Built only for x86-64 systems that keep AVX2's registers; it runs only where the
// processor has them (platform/processor.hpp).
#include "linalg/crout_kernel.hpp"

namespace linalg::kernel {

namespace {

[[gnu::target("avx2")]] void factor_by_columns_avx2(double* a, int n, int last_stage,
                                                    double* u_rows) {
    factor_by_columns(a, n, last_stage, u_rows);
}

} // namespace

const Form avx2_form = factor_by_columns_avx2;

} // namespace linalg::kernel
