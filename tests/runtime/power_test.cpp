// The power on a million pairs against MPFR: the power rounded once to 64 bits, and the
// operation it enters rounded once to double; the rounding decision at its bound; and the error
// classes.

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <functional>
#include <limits>
#include <optional>
#include <random>

#include <gtest/gtest.h>

#include "runtime/mpfr_support.hpp"
#include "runtime/power.hpp"

namespace {

using runtime::MathCode;
constexpr double inf = std::numeric_limits<double>::infinity();

// The fast path against MPFR, bit for bit, on a million pairs from families that stress it: the
// power with its error class, then the store, 1.0 - p and an operation with the previous power.
// Debug and sanitized builds take a fifth of the random pairs.
TEST(Power, MatchesMpfrAndReportsItsFallbacks) {
#ifdef NDEBUG
    constexpr long kShare = 1;
#else
    constexpr long kShare = 5;
#endif
    using runtime::Extended;
    using runtime::Operation;
    std::mt19937_64 bits(1);
    auto between = [&](std::int64_t low, std::int64_t high) {
        return low + static_cast<std::int64_t>(bits() % static_cast<std::uint64_t>(high - low + 1));
    };
    auto sign = [&] { return bits() % 2 != 0 ? -1.0 : 1.0; };
    auto exponent = [&] { return static_cast<double>(between(-1100, 1100)); };
    struct Family {
        const char* name;
        long pairs;
        bool always_fast; // the program's own powers never need MPFR
        std::function<std::pair<double, double>(long)> pair;
    };
    const Family families[] = {
        {"bases 3 and 4, exponents -100 to 100", 402, true,
         [](long i) {
             return std::pair(i % 2 != 0 ? 3.0 : 4.0, static_cast<double>(i / 2 - 100));
         }},
        {"powers of two", 100000, false,
         [&](long) { // results from 2^-1200 to 2^1200
             std::int64_t y = between(-1100, 1100);
             std::int64_t k = between(-1200, 1200) / std::max<std::int64_t>(std::abs(y), 1);
             k = std::clamp<std::int64_t>(k, -1074, 1023);
             return std::pair(sign() * std::ldexp(1.0, static_cast<int>(k)),
                              static_cast<double>(y));
         }},
        {"10 and -10", 50000, false, [&](long) { return std::pair(sign() * 10.0, exponent()); }},
        {"1 +- k 2^-52, exponents to 5000", 150000, false,
         [&](long) {
             double x = 1.0 + sign() * std::ldexp(static_cast<double>(between(1, 1 << 20)), -52);
             return std::pair(sign() * x, static_cast<double>(between(-5000, 5000)));
         }},
        {"random doubles", 150000, false,
         [&](long) {
             double x = 0.0;
             while (!std::isfinite(x) || x == 0.0) x = std::bit_cast<double>(bits());
             return std::pair(x, exponent());
         }},
        {"random results inside the range", 250000, false,
         [&](long) {
             double x = std::ldexp(1.0 + std::ldexp(static_cast<double>(bits() >> 11), -53),
                                   static_cast<int>(between(-4, 3)));
             return std::pair(sign() * x, static_cast<double>(between(-250, 250)));
         }},
        {"results at the edges of overflow and the subnormals", 150000, false,
         [&](long i) { // within 4 binades of the edge, or a few units of x's last place from it
             const double edges[] = {1024.0, -1022.0, -1074.0};
             double y = static_cast<double>(between(2, 1100));
             double target = edges[i % 3];
             if (i % 2 != 0) target += std::ldexp(static_cast<double>(between(-64, 64)), -4);
             auto x = std::bit_cast<std::uint64_t>(std::exp2(target / y)) +
                      static_cast<std::uint64_t>(between(-8, 8));
             return std::pair(sign() * std::bit_cast<double>(x), y);
         }},
        {"odd integers with powers of 60 to 70 bits", 150000, false,
         [&](long) {
             std::int64_t m = between(1, (std::int64_t{1} << between(1, 32)) - 1) | 1;
             if (m == 1) m = 3;
             double y = std::max(std::ceil(64.0 / std::log2(static_cast<double>(m))) +
                                     static_cast<double>(between(-1, 1)),
                                 1.0);
             auto scale = std::clamp<std::int64_t>(
                 between(-1200, 1100) / static_cast<std::int64_t>(y), -1074, 990);
             return std::pair(sign() * std::ldexp(static_cast<double>(m), static_cast<int>(scale)),
                              sign() * y);
         }},
    };
    // NaNs are compared by class: their sign and payload are the processor's (the default NaN
    // of x86-64 has the sign set, that of 64-bit ARM has it clear), and none reaches the output.
    auto same = [](runtime::RoundedDouble a, runtime::RoundedDouble b) {
        const bool equal = std::isnan(a.value) ? std::isnan(b.value)
                                               : std::bit_cast<std::uint64_t>(a.value) ==
                                                     std::bit_cast<std::uint64_t>(b.value);
        return equal && a.overflow == b.overflow;
    };
    long mismatches = 0;
    Extended previous = Extended::from_double(inf);
    for (const Family& family : families) {
        long fallbacks = 0;
        long count = family.always_fast ? family.pairs : family.pairs / kShare;
        for (long i = 0; i < count; ++i) {
            auto [x, y] = family.pair(i);
            runtime::PowResult fast = runtime::library_pow(x, y);
            runtime::PowResult reference = runtime::library_pow_reference(x, y);
            const Extended& p = fast.value;
            fallbacks += runtime::fast_pow(x, y) ? 0 : 1;
            const Extended one = Extended::from_double(1.0);
            auto op = static_cast<Operation>(i % 4);
            bool equal = fast.value == reference.value && fast.error == reference.error &&
                         same(runtime::round_to_double(p), runtime::mpfr_round_to_double(p)) &&
                         same(runtime::round_operation(Operation::Subtract, one, p),
                              runtime::mpfr_round_operation(Operation::Subtract, one, p)) &&
                         same(runtime::round_operation(op, previous, p),
                              runtime::mpfr_round_operation(op, previous, p));
            if (!equal && ++mismatches <= 10)
                ADD_FAILURE() << family.name << ": " << std::hexfloat << x << " ** " << y;
            previous = p;
        }
        std::printf("%-52s %7ld pairs, %6ld to MPFR\n", family.name, count, fallbacks);
        EXPECT_TRUE(!family.always_fast || fallbacks == 0) << family.name;
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(Power, ErrorClasses) {
    struct Case {
        double x, y;
        std::optional<MathCode> error;
    };
    // The reports of (-2)**0.5, 0**-1, 10**400 and NaN arguments are checked on the program.
    const Case cases[] = {
        // clang-format off
        {-8.0, 1.0 / 3.0, MathCode::Domain},   {1.0, inf, MathCode::Domain},
        {-0.0, -3.0, MathCode::Singularity},   {2.0, 1024.0, MathCode::RangeOverflow},
        {-2.0, 1025.0, MathCode::RangeOverflow}, {2.0, -1023.0, MathCode::RangeUnderflow},
        {2.0, -1022.0, std::nullopt},          {2.0, 1023.0, std::nullopt},
        {-2.0, 3.0, std::nullopt},             {0.5, inf, std::nullopt},
        // At the edges: a power in [2^1024 - 2^970, 2^1024), which the store to double takes to
        // infinity; one just under 2^-1022; one that rounds up to 2^-1022 at 64 bits.
        {0x1.10a688680a753p+93, 11.0, MathCode::RangeOverflow},
        {0x1.fffffffffffffp-512, 2.0, MathCode::RangeUnderflow},
        {0x1.736d25c6a1443p+0, -0x1.dbd9f1ea52e33p+10, std::nullopt},
        // clang-format on
    };
    for (const Case& c : cases)
        EXPECT_EQ(runtime::library_pow(c.x, c.y).error, c.error) << c.x << "**" << c.y;
}

// Powers asked for again and again, more of them than the memo holds, many sharing a base or
// an exponent: every call gives the bits of a fresh computation.
TEST(Power, RepeatedCallsGiveTheBitsOfAFreshOne) {
    for (int round = 0; round < 2; ++round)
        for (int k = 17; k <= 48; ++k)
            for (int n = -10; n <= 10; ++n) {
                const double x = k / 16.0;
                ASSERT_EQ(runtime::power(x, n), runtime::library_pow(x, n).value)
                    << x << " ** " << n;
            }
}

// Real powers never come near enough to a midpoint to need MPFR, so the rounding decision is
// checked on synthetic values: an inexact V decides only outside 64n units below a midpoint.
TEST(Power, RoundingDecisionAtItsBound) {
    constexpr std::uint64_t mid = std::uint64_t{1} << 63, n = 5;
    const struct {
        runtime::TruncatedPower v;
        std::optional<bool> up;
    } cases[] = {
        {{2, mid, n, false}, false},      {{3, mid, n, false}, true}, // exact ties to even
        {{2, mid - 1, n, false}, false},  {{2, mid + 1, n, false}, true},
        {{2, mid - 64 * n, n, true}, {}}, {{2, mid - 64 * n - 1, n, true}, false},
        {{2, mid, n, true}, {}},          {{2, mid + 1, n, true}, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(runtime::rounds_up(c.v), c.up) << c.v.low << (c.v.inexact ? " inexact" : "");
    // The reciprocal is truncated: a power through it is never exact.
    runtime::TruncatedPower third{};
    runtime::fast_pow(3.0, -1.0, &third);
    EXPECT_TRUE(third.inexact);
}

} // namespace
