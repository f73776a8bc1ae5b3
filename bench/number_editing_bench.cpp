// The three number edits of the program's fields beside the C library's nearest formats, on
// the same values: random doubles over the whole range, and values near 1.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "io/format/number_editing.hpp"

namespace {

constexpr std::size_t kValues = 4096;

const std::vector<double>& whole_range() {
    static const std::vector<double> values = [] {
        std::mt19937_64 random(1);
        std::vector<double> v;
        while (v.size() < kValues) {
            std::uint64_t bits = random();
            double x;
            std::memcpy(&x, &bits, sizeof x);
            if (std::isfinite(x)) v.push_back(x);
        }
        return v;
    }();
    return values;
}

// Matrix entries, solutions and their inverses: magnitudes 0.01 to 100, both signs.
const std::vector<double>& near_one() {
    static const std::vector<double> values = [] {
        std::mt19937_64 random(2);
        std::uniform_real_distribution<double> exponent(-2.0, 2.0);
        std::vector<double> v;
        for (std::size_t i = 0; i < kValues; ++i)
            v.push_back((i % 2 ? -1.0 : 1.0) * std::pow(10.0, exponent(random)));
        return v;
    }();
    return values;
}

const std::vector<double>& values_for(const benchmark::State& state) {
    return state.range(0) == 0 ? whole_range() : near_one();
}

template <typename Edit> void run(benchmark::State& state, Edit edit) {
    const std::vector<double>& values = values_for(state);
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(edit(values[i]));
        i = (i + 1) % values.size();
    }
    state.SetLabel(state.range(0) == 0 ? "whole range" : "near 1");
}

std::string with_snprintf(const char* format, double x) {
    char text[512];
    int n = std::snprintf(text, sizeof text, format, x);
    return std::string(text, static_cast<std::size_t>(n));
}

void E13_6(benchmark::State& s) {
    run(s, [](double x) { return io::edit_exponent(x, 13, 6); });
}
void snprintf_13_6E(benchmark::State& s) {
    run(s, [](double x) { return with_snprintf("%13.6E", x); });
}
void F20_16(benchmark::State& s) {
    run(s, [](double x) { return io::edit_fixed(x, 20, 16); });
}
void snprintf_20_16f(benchmark::State& s) {
    run(s, [](double x) { return with_snprintf("%20.16f", x); });
}
void free_form(benchmark::State& s) {
    run(s, [](double x) { return io::edit_free(x); });
}
void snprintf_24_15E(benchmark::State& s) {
    run(s, [](double x) { return with_snprintf("%24.15E", x); });
}

} // namespace

BENCHMARK(E13_6)->Arg(0)->Arg(1);
BENCHMARK(snprintf_13_6E)->Arg(0)->Arg(1);
BENCHMARK(F20_16)->Arg(0)->Arg(1);
BENCHMARK(snprintf_20_16f)->Arg(0)->Arg(1);
BENCHMARK(free_form)->Arg(0)->Arg(1);
BENCHMARK(snprintf_24_15E)->Arg(0)->Arg(1);
