// The power's error classes and its non-integral exponents against MPFR; its
// rounding decisions at their bounds, and its fast path; the faults of the operations that its
// extended result enters. (Every class of arguments against MPFR, bit for bit, drives the probe:
// tests/program/power_test.cpp.)

#include <cmath>
#include <functional>
#include <limits>
#include <optional>
#include <tuple>

#include <gtest/gtest.h>

#include "runtime/fast_pow.hpp"
#include "runtime/integral_power.hpp"
#include "runtime/library_pow.hpp"
#include "runtime/power.hpp"
#include "runtime/rounding.hpp"
#include "tests/support/mpfr_reference.hpp"
#include "tests/support/run_program.hpp"

using runtime::MathCode;
constexpr double inf = std::numeric_limits<double>::infinity();

// The classes by the rules of runtime/power.hpp, and the stored value within a unit of the last
// place of MPFR's: non-integral exponents are the platform math library's.
TEST(Power, ErrorClassesAndNonIntegralExponents) {
    const std::optional<MathCode> none, domain = MathCode::Domain, sing = MathCode::Singularity,
                                        over = MathCode::RangeOverflow,
                                        under = MathCode::RangeUnderflow;
    const std::tuple<double, double, std::optional<MathCode>> cases[] = {
        // clang-format off
        {-8.0, 1.0 / 3.0, domain}, {1.0, inf, domain}, {-0.0, -3.0, sing}, {2.0, 1024.0, over},
        {-2.0, 1025.0, over}, {2.0, -1023.0, under}, {2.0, -1022.0, none}, {2.0, 1023.0, none},
        {-2.0, 3.0, none}, {0.5, inf, none},
        // At the edges: a power in [2^1024 - 2^970, 2^1024), which the store to double takes to
        // infinity; one just under 2^-1022; one that rounds up to 2^-1022 at 64 bits.
        {0x1.10a688680a753p+93, 11.0, over}, {0x1.fffffffffffffp-512, 2.0, under},
        {0x1.736d25c6a1443p+0, -0x1.dbd9f1ea52e33p+10, none},
        // Non-integral exponents.
        {2.0, 0.5, none}, {10.0, -3.25, none}, {0x1.8p-3, 77.75, none}, {1e10, 30.5, none},
        {1e10, -31.5, under}, {10.0, 400.5, over}, {10.0, -330.5, under}, {10.0, -500.5, under},
        {0.5, 1e-300, none}, {3.0, 0x1.fffffffffffffp51, over},
        // clang-format on
    };
    for (const auto& [x, y, error] : cases) {
        const runtime::PowResult power = runtime::library_pow(x, y),
                                 reference = mpfr_reference::library_pow(x, y);
        EXPECT_EQ(std::pair(power.error, reference.error), std::pair(error, error))
            << x << "**" << y;
        const double got = runtime::round_to_double(power.value).value,
                     want = mpfr_reference::round_to_double(reference.value).value;
        EXPECT_TRUE(error == domain || got == want ||
                    std::fabs(got - want) <= std::nextafter(want, inf) - want)
            << x << " ** " << y;
    }
}

// Real powers never come near enough to a midpoint to leave the fast path or make the wide one
// grow, so the rounding decisions are checked on synthetic values: an inexact V decides only
// outside its window below a midpoint.
TEST(Power, RoundingDecisionAtItsBound) {
    constexpr std::uint64_t mid = std::uint64_t{1} << 63, n = 5;
    const std::pair<runtime::TruncatedPower, std::optional<bool>> cases[] = {
        {{2, mid, n, false}, false},      {{3, mid, n, false}, true}, // exact ties to even
        {{2, mid - 1, n, false}, false},  {{2, mid + 1, n, false}, true},
        {{2, mid - 64 * n, n, true}, {}}, {{2, mid - 64 * n - 1, n, true}, false},
        {{2, mid, n, true}, {}},          {{2, mid + 1, n, true}, true},
    };
    for (const auto& [v, up] : cases)
        EXPECT_EQ(runtime::rounds_up(v), up) << v.low << (v.inexact ? " inexact" : "");
    // The reciprocal is truncated: a power through it is never exact.
    runtime::TruncatedPower third{};
    runtime::fast_pow(3.0, -1.0, &third);
    EXPECT_TRUE(third.inexact);
    // The program's own powers never leave the fast path.
    for (int k = -100; k <= 100; ++k)
        EXPECT_TRUE(runtime::fast_pow(3.0, k) && runtime::fast_pow(4.0, k)) << k;

    // The wide computation's V (words from the least significant) rounded at `bits` bits with a
    // window of 5 units: the significand and its exponent, or nothing.
    constexpr std::uint64_t ones = ~std::uint64_t{0}, top = mid;
    const std::tuple<std::vector<std::uint64_t>, int, bool,
                     std::optional<std::pair<std::uint64_t, std::int64_t>>>
        wide[] = {
            // clang-format off
        {{0, mid, top}, 64, false, {{top, 128}}}, {{0, mid, top + 1}, 64, false, {{top + 2, 128}}}, // a tie to even: down, up
        {{1, mid, top}, 64, false, {{top + 1, 128}}},        // past the midpoint
        {{ones, mid - 1, top}, 64, false, {{top, 128}}},     // below it
        {{0, mid, top}, 64, true, {{top + 1, 128}}},         // at it, T above
        {{ones - 4, mid - 1, top}, 64, true, {}},            // 5 units below it
        {{ones - 5, mid - 1, top}, 64, true, {{top, 128}}},  // 6 units below it
        {{ones - 4, ones, mid - 1, top}, 64, true, {}}, {{ones - 4, ones - 1, mid - 1, top}, 64, true, {{top, 192}}}, // a word wider
        {{0, mid, ones}, 64, true, {{top, 129}}},            // a carry to 2^64
        {{0, 0, top}, 0, false, {{0, 192}}}, {{0, 0, top}, 0, true, {{1, 192}}}, // no bit kept: a tie, down, up
        {{0, 0, 0x8030000000000000}, 10, false, {{513, 182}}}, // ten bits kept
            // clang-format on
        };
    for (const auto& [words, bits, inexact, rounded] : wide) {
        const auto r = runtime::detail::round_top_bits({words, 0}, bits, inexact, 5);
        EXPECT_EQ(r ? std::optional(std::pair(r->significand, r->exponent)) : std::nullopt, rounded)
            << words[0] << " " << bits;
    }
}

// An operation on a power's extended result that overflows, is invalid or divides by zero ends
// the run with the report of the trap; so does a store that overflows.
TEST(ExtendedDeathTest, OverflowInvalidAndDivisionByZeroEndTheRun) {
    const std::tuple<std::function<double()>, const char*, const char*> cases[] = {
        {[] { return runtime::power(2.0, 1023.0) * 2.0; }, "M6104: MATH", "overflow"},
        {[] { return runtime::power(2.0, inf) - runtime::power(2.0, inf); }, "M6101: MATH",
         "invalid"},
        {[] { return 1.0 / runtime::power(0.0, 2.0); }, "M6103: MATH", "divide by zero"},
        // 2^1024 - 2^960 is nearer 2^1024 than the largest double.
        {[] { return double(runtime::Extended::finite(false, ~0ULL, 960)); }, "M6104: MATH",
         "overflow"},
    };
    for (const auto& [operation, head, fault] : cases)
        EXPECT_EXIT(
            static_cast<void>(operation()), testing::ExitedWithCode(1),
            testing::Eq(testsupport::report(head, "floating-point error: " + std::string(fault))));
}
