// The power against MPFR on every class of arguments: the power rounded once to 64 bits with its
// error class, and the operation it enters rounded once to double; the same powers computed by
// the program under test (another processor's, under its emulator); the rounding decision at its
// bound; and the error classes.

#include <algorithm>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <functional>
#include <limits>
#include <optional>
#include <random>
#include <sstream>

#include <gtest/gtest.h>

#include "runtime/bit_cast.hpp"
#include "runtime/fast_pow.hpp"
#include "runtime/integral_power.hpp"
#include "runtime/library_pow.hpp"
#include "runtime/power.hpp"
#include "tests/support/mpfr_reference.hpp"
#include "tests/support/power_families.hpp"
#include "tests/support/run_program.hpp"

namespace {

using runtime::Extended;
using runtime::MathCode;
using runtime::PowResult;
using testsupport::Family;
constexpr double inf = std::numeric_limits<double>::infinity();

// NaNs are compared by class: their sign and payload are the processor's (the default NaN
// of x86-64 has the sign set, that of 64-bit ARM has it clear), and none reaches the output.
bool same(runtime::RoundedDouble a, runtime::RoundedDouble b) {
    const bool equal = std::isnan(a.value) ? std::isnan(b.value)
                                           : runtime::bit_cast<std::uint64_t>(a.value) ==
                                                 runtime::bit_cast<std::uint64_t>(b.value);
    return equal && a.overflow == b.overflow;
}

// Every family against MPFR, bit for bit: the power with its error class, then the store,
// 1.0 - p and an operation with the previous power. Debug and sanitized builds take a fifth.
TEST(Power, MatchesMpfrOnEveryClass) {
#ifdef NDEBUG
    constexpr long kPairs = 30000;
#else
    constexpr long kPairs = 6000;
#endif
    using runtime::Operation;
    std::mt19937_64 bits(1);
    long mismatches = 0;
    Extended previous = Extended::from_double(inf);
    const Extended one = Extended::from_double(1.0);
    for (const Family& family : testsupport::families(bits)) {
        for (long i = 0; i < kPairs; ++i) {
            auto [x, y] = family.pair(i);
            PowResult power = runtime::library_pow(x, y);
            PowResult reference = mpfr_reference::library_pow(x, y);
            const Extended& p = power.value;
            auto op = static_cast<Operation>(i % 4);
            bool equal = power.value == reference.value && power.error == reference.error &&
                         same(runtime::round_to_double(p), mpfr_reference::round_to_double(p)) &&
                         same(runtime::round_operation(Operation::Subtract, one, p),
                              mpfr_reference::round_operation(Operation::Subtract, one, p)) &&
                         same(runtime::round_operation(op, previous, p),
                              mpfr_reference::round_operation(op, previous, p));
            if (!equal && ++mismatches <= 10)
                ADD_FAILURE() << family.name << ": " << std::hexfloat << x << " ** " << y;
            previous = p;
        }
    }
    EXPECT_EQ(mismatches, 0);
    // The program's own powers never leave the fast path.
    for (int n = -100; n <= 100; ++n)
        EXPECT_TRUE(runtime::fast_pow(3.0, n) && runtime::fast_pow(4.0, n)) << n;
}

// The same classes computed by the program under test (the probe's powers step): another
// processor's or system's build, under its emulator, against MPFR on the build machine.
TEST(PowerInTheProgram, MatchesMpfrOnEveryClass) {
    std::mt19937_64 bits(2);
    std::ostringstream input;
    std::vector<std::pair<double, double>> pairs;
    for (const Family& family : testsupport::families(bits)) {
        for (long i = 0; i < 1500; ++i) {
            pairs.push_back(family.pair(i));
            input << runtime::bit_cast<std::uint64_t>(pairs.back().first) << ' '
                  << runtime::bit_cast<std::uint64_t>(pairs.back().second) << '\n';
        }
    }
    testsupport::TempDir dir;
    testsupport::RunResult r =
        testsupport::run_probe(dir, {.args = {"powers"}, .input = input.str()});
    ASSERT_EQ(r.status, 0) << r.err;
    std::istringstream out(r.out);
    long mismatches = 0;
    for (auto [x, y] : pairs) {
        PowResult reference = mpfr_reference::library_pow(x, y);
        int kind = 0, negative = 0, error = 0;
        std::uint64_t significand = 0;
        std::int64_t exponent = 0;
        ASSERT_TRUE(out >> kind >> negative >> significand >> exponent >> error);
        const Extended& v = reference.value;
        bool equal = kind == int(v.kind()) &&
                     error == (reference.error ? int(*reference.error) : 0) &&
                     (v.kind() == Extended::Kind::NaN ||
                      (negative == int(v.negative()) && significand == v.significand() &&
                       exponent == v.exponent()));
        if (!equal && ++mismatches <= 10) ADD_FAILURE() << std::hexfloat << x << " ** " << y;
    }
    EXPECT_EQ(mismatches, 0);
}

// Non-integral exponents are the platform math library's: its error classes, and a value within a
// unit of the 64-bit power's last place.
TEST(Power, NonIntegralExponentsFromTheMathLibrary) {
    const std::pair<double, double> cases[] = {
        {2.0, 0.5},        {10.0, -3.25},
        {0x1.8p-3, 77.75}, {1e10, 30.5},
        {1e10, -31.5},     {10.0, 400.5},
        {10.0, -330.5},    {10.0, -500.5},
        {0.5, 1e-300},     {3.0, 0x1.fffffffffffffp51},
    };
    for (auto [x, y] : cases) {
        PowResult power = runtime::library_pow(x, y), reference = mpfr_reference::library_pow(x, y);
        EXPECT_EQ(power.error, reference.error) << x << " ** " << y;
        double got = runtime::round_to_double(power.value).value;
        double want = mpfr_reference::round_to_double(reference.value).value;
        EXPECT_TRUE(got == want || std::fabs(got - want) <= std::nextafter(want, inf) - want)
            << x << " ** " << y;
    }
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

// Real powers never come near enough to a midpoint to leave the fast path or make the wide one
// grow, so the rounding decisions are checked on synthetic values: an inexact V decides only
// outside its window below a midpoint.
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

    // The wide computation's V (words from the least significant) rounded at `bits` bits with a
    // window of 5 units: the significand and its exponent, or nothing.
    constexpr std::uint64_t ones = ~std::uint64_t{0}, top = mid;
    const struct {
        std::vector<std::uint64_t> words;
        int bits;
        bool inexact;
        std::optional<std::pair<std::uint64_t, std::int64_t>> rounded;
    } wide[] = {
        {{0, mid, top}, 64, false, {{top, 128}}},           // a tie to even: down
        {{0, mid, top + 1}, 64, false, {{top + 2, 128}}},   // and up
        {{1, mid, top}, 64, false, {{top + 1, 128}}},       // past the midpoint
        {{ones, mid - 1, top}, 64, false, {{top, 128}}},    // below it
        {{0, mid, top}, 64, true, {{top + 1, 128}}},        // at it, T above
        {{ones - 4, mid - 1, top}, 64, true, {}},           // 5 units below it
        {{ones - 5, mid - 1, top}, 64, true, {{top, 128}}}, // 6 units below it
        {{ones - 4, ones, mid - 1, top}, 64, true, {}},     // the same, a word wider
        {{ones - 4, ones - 1, mid - 1, top}, 64, true, {{top, 192}}},
        {{0, mid, ones}, 64, true, {{top, 129}}},              // a carry to 2^64
        {{0, 0, top}, 0, false, {{0, 192}}},                   // no bit kept: a tie, down
        {{0, 0, top}, 0, true, {{1, 192}}},                    // and up
        {{0, 0, 0x8030000000000000}, 10, false, {{513, 182}}}, // ten bits kept
    };
    for (const auto& c : wide) {
        auto r = runtime::detail::round_top_bits({c.words, 0}, c.bits, c.inexact, 5);
        ASSERT_EQ(r.has_value(), c.rounded.has_value()) << c.words[0] << " " << c.bits;
        if (r) {
            EXPECT_EQ(std::pair(r->significand, r->exponent), *c.rounded) << c.words[0];
        }
    }
}

} // namespace
