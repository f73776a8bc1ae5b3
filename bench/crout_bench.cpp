// The factor-and-solve of the program (LU, then SOLVE) beside the same work done by OpenBLAS
// (dgetrf, then dgetrs with one right-hand side), on the kind-1 test matrix of orders 50 and
// 100; and the textbook factorisation with its operations checked and plain, at order 50. Each
// pass copies the matrix and the right-hand side afresh, for all of them. OpenBLAS runs on one
// thread, as the program does; unlike the program, it pivots.

#include <vector>

#include <benchmark/benchmark.h>

#include "linalg/crout.hpp"
#include "linalg/kernel_forms.hpp"
#include "linalg/right_hand_side.hpp"
#include "linalg/test_matrix.hpp"

extern "C" {
void dgetrf_(const int* m, const int* n, double* a, const int* lda, int* ipiv, int* info);
void dgetrs_(const char* trans, const int* n, const int* nrhs, const double* a, const int* lda,
             const int* ipiv, double* b, const int* ldb, int* info, unsigned long trans_length);
void openblas_set_num_threads(int threads);
}

namespace {

struct Problem {
    std::vector<double> a, b;
};

Problem problem(int n) {
    Problem p{std::vector<double>(static_cast<std::size_t>(n * n)),
              std::vector<double>(static_cast<std::size_t>(n))};
    const double N = n;
    linalg::MAT(N, 1, p.a);
    linalg::COEF(N, p.b);
    return p;
}

// Times work(n, a, b) on fresh copies of the order-n problem, the order being the benchmark's
// argument; the copying is timed too, alike for every work.
template <class Work> void on_fresh_copies(benchmark::State& state, Work work) {
    const int n = static_cast<int>(state.range(0));
    const Problem original = problem(n);
    Problem copy = original;
    for (auto _ : state) {
        copy.a = original.a;
        copy.b = original.b;
        work(n, copy.a, copy.b);
        benchmark::DoNotOptimize(copy.a.data());
        benchmark::DoNotOptimize(copy.b.data());
    }
}

void BM_CroutFactorAndSolve(benchmark::State& state) {
    on_fresh_copies(state, [](const double N, std::vector<double>& a, std::vector<double>& b) {
        linalg::LU(N, a);
        linalg::SOLVE(N, a, b);
    });
}

void BM_OpenBlasFactorAndSolve(benchmark::State& state) {
    openblas_set_num_threads(1);
    std::vector<int> pivots(static_cast<std::size_t>(state.range(0)));
    on_fresh_copies(state, [&](const int n, std::vector<double>& a, std::vector<double>& b) {
        const int one = 1;
        int info = 0;
        dgetrf_(&n, &n, a.data(), &n, pivots.data(), &info);
        dgetrs_("N", &n, &one, a.data(), &n, pivots.data(), b.data(), &n, &info, 1);
    });
}

// The factorisation in the order of the method, which the fast kernel falls back to on a fault,
// with each operation checking its result (as where the processor does not trap) and without:
// what the checks cost.
void BM_TextbookFactor(benchmark::State& state, bool checked) {
    on_fresh_copies(state, [checked](const double N, std::vector<double>& a, std::vector<double>&) {
        linalg::crout_factor_in_order(N, a, checked);
    });
}

} // namespace

BENCHMARK_CAPTURE(BM_TextbookFactor, Plain, false)->Arg(50);
BENCHMARK_CAPTURE(BM_TextbookFactor, Checked, true)->Arg(50);
BENCHMARK(BM_CroutFactorAndSolve)->Arg(50)->Arg(100);
BENCHMARK(BM_OpenBlasFactorAndSolve)->Arg(50)->Arg(100);
