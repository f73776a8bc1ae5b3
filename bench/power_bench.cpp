// One power and the operation it enters, as the program makes them, with the run-time's integer
// arithmetic (power and operators) beside MPFR for both: on the program's own powers, on random
// integral exponents, and beyond the 128-bit fast path (bases next to 1 with exponents up to
// 2^50, which the wider computation decides). The time is given per power.

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include <benchmark/benchmark.h>

#include "runtime/power.hpp"
#include "tests/support/mpfr_reference.hpp"

namespace {

using runtime::Extended;
using runtime::Operation;

// A power x**y and what follows it: the store, 1.0 - p, or a quotient by a second power.
struct Step {
    enum class Next : std::uint8_t { Store, OneMinus, Quotient } next;
    double x, y;
    double x2 = 0.0, y2 = 0.0; // the divisor's power
};

// The powers of the matrix entries and the right-hand sides for the orders 6 and 10 to 50:
// 3**(i - j) stored above the diagonal, 4**j / 4**i below it, 1.0 - 3**(i - n) and
// 1.0 - 4**(1 - i) on the right.
std::vector<Step> program_steps() {
    std::vector<Step> steps;
    for (int n : {6, 10, 20, 30, 40, 50}) {
        for (int i = 1; i <= n; ++i) {
            for (int j = 1; j <= n; ++j) {
                if (j > i) steps.push_back({Step::Next::Store, 3.0, static_cast<double>(i - j)});
                if (j < i)
                    steps.push_back({Step::Next::Quotient, 4.0, static_cast<double>(j), 4.0,
                                     static_cast<double>(i)});
            }
        }
        steps.push_back({Step::Next::OneMinus, 3.0, static_cast<double>(-n)});
        for (int i = 2; i <= n - 1; ++i) {
            steps.push_back({Step::Next::OneMinus, 3.0, static_cast<double>(i - n)});
            steps.push_back({Step::Next::OneMinus, 4.0, static_cast<double>(1 - i)});
        }
        steps.push_back({Step::Next::OneMinus, 4.0, static_cast<double>(1 - n)});
    }
    return steps;
}

// 1.0 - x**y for random integral y with |y| <= limit: bases 3 and 4, or random bases of magnitude
// 1/2 to 2 and either sign. With the limits used (500 for 3 and 4, 1000 for the others) every
// result lies well inside double's range.
std::vector<Step> random_steps(bool three_and_four, std::int64_t limit) {
    std::mt19937_64 bits(3);
    std::vector<Step> steps;
    for (int k = 0; k < 4096; ++k) {
        auto y = static_cast<double>(
            static_cast<std::int64_t>(bits() % static_cast<std::uint64_t>(2 * limit + 1)) - limit);
        if (three_and_four) {
            steps.push_back({Step::Next::OneMinus, k % 2 != 0 ? 3.0 : 4.0, y});
            continue;
        }
        double x = std::ldexp(1.0 + std::ldexp(static_cast<double>(bits() >> 11), -53), -1);
        steps.push_back({Step::Next::OneMinus, bits() % 2 != 0 ? -2.0 * x : x, y});
    }
    return steps;
}

// 1.0 - x**y for x = 1 +- k 2^-52 and integral y of 2^13 to 2^50: every one beyond the fast path.
std::vector<Step> wide_steps() {
    std::mt19937_64 bits(5);
    std::vector<Step> steps;
    for (int k = 0; k < 256; ++k) {
        double x = 1.0 + std::ldexp(static_cast<double>(bits() % 1024) - 512.0, -52);
        double y = std::ldexp(1.0 + std::ldexp(static_cast<double>(bits() >> 12), -52),
                              13 + static_cast<int>(bits() % 38));
        steps.push_back({Step::Next::OneMinus, x, -std::floor(y)});
    }
    return steps;
}

struct Fast {
    static Extended power(double x, double y) { return runtime::power(x, y); }
    static double store(const Extended& p) { return static_cast<double>(p); }
    static double one_minus(const Extended& p) { return 1.0 - p; }
    static double quotient(const Extended& a, const Extended& b) { return a / b; }
};

struct Mpfr {
    static Extended power(double x, double y) { return mpfr_reference::library_pow(x, y).value; }
    static double store(const Extended& p) { return mpfr_reference::round_to_double(p).value; }
    static double one_minus(const Extended& p) {
        return mpfr_reference::round_operation(Operation::Subtract, Extended::from_double(1.0), p)
            .value;
    }
    static double quotient(const Extended& a, const Extended& b) {
        return mpfr_reference::round_operation(Operation::Divide, a, b).value;
    }
};

template <typename Arithmetic> void run(benchmark::State& state, const std::vector<Step>& steps) {
    std::int64_t powers = 0;
    for (const Step& s : steps) powers += s.next == Step::Next::Quotient ? 2 : 1;
    for (auto _ : state) {
        for (const Step& s : steps) {
            Extended p = Arithmetic::power(s.x, s.y);
            switch (s.next) {
            case Step::Next::Store: benchmark::DoNotOptimize(Arithmetic::store(p)); break;
            case Step::Next::OneMinus: benchmark::DoNotOptimize(Arithmetic::one_minus(p)); break;
            case Step::Next::Quotient:
                benchmark::DoNotOptimize(Arithmetic::quotient(p, Arithmetic::power(s.x2, s.y2)));
                break;
            }
        }
    }
    state.counters["per_power"] = benchmark::Counter(static_cast<double>(powers),
                                                     benchmark::Counter::kIsIterationInvariantRate |
                                                         benchmark::Counter::kInvert);
}

void power_program_fast(benchmark::State& s) {
    run<Fast>(s, program_steps());
}
void power_program_mpfr(benchmark::State& s) {
    run<Mpfr>(s, program_steps());
}
void power_random_3_and_4_fast(benchmark::State& s) {
    run<Fast>(s, random_steps(true, s.range(0)));
}
void power_random_3_and_4_mpfr(benchmark::State& s) {
    run<Mpfr>(s, random_steps(true, s.range(0)));
}
void power_random_bases_fast(benchmark::State& s) {
    run<Fast>(s, random_steps(false, s.range(0)));
}
void power_random_bases_mpfr(benchmark::State& s) {
    run<Mpfr>(s, random_steps(false, s.range(0)));
}
void power_beyond_fast_path(benchmark::State& s) {
    run<Fast>(s, wide_steps());
}
void power_beyond_fast_path_mpfr(benchmark::State& s) {
    run<Mpfr>(s, wide_steps());
}

} // namespace

BENCHMARK(power_program_fast);
BENCHMARK(power_program_mpfr);
BENCHMARK(power_random_3_and_4_fast)->Arg(100)->Arg(500);
BENCHMARK(power_random_3_and_4_mpfr)->Arg(100)->Arg(500);
BENCHMARK(power_random_bases_fast)->Arg(1000);
BENCHMARK(power_random_bases_mpfr)->Arg(1000);
BENCHMARK(power_beyond_fast_path);
BENCHMARK(power_beyond_fast_path_mpfr);
