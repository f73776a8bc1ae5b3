// The power against exact rationals: the power rounded once to 64 bits, and the operation it
// enters rounded once to double.

#include <bit>
#include <limits>
#include <optional>

#include <gtest/gtest.h>

#include "runtime/power.hpp"
#include "tests/runtime/exact.hpp"

namespace {

using runtime::FIfexp;
using runtime::MathCode;

TEST(Power, PowersOfThreeAndFourRoundOnceTo64Bits) {
    for (unsigned long k = 0; k <= 100; ++k) {
        double y = static_cast<double>(k);
        EXPECT_EQ(FIfexp(3.0, -y), exact::extended(1, exact::power(3, k))) << "3**-" << k;
        EXPECT_EQ(FIfexp(4.0, y), exact::extended(exact::power(4, k), 1)) << "4**" << k;
        EXPECT_EQ(FIfexp(4.0, -y), exact::extended(1, exact::power(4, k))) << "4**-" << k;
    }
}

// 1.0 - 3**-k is the exact difference of 1 and the 64-bit power, rounded once; the stored
// power is the 64-bit power rounded to double.
TEST(Power, OneMinusPowerRoundsOnce) {
    int double_rounding_differs = 0;
    for (unsigned long k = 1; k <= 100; ++k) {
        double y = -static_cast<double>(k);
        auto [s, scale] = exact::fraction(exact::extended(1, exact::power(3, k)));
        std::uint64_t once = exact::double_bits(scale - s, scale);
        EXPECT_EQ(std::bit_cast<std::uint64_t>(1.0 - FIfexp(3.0, y)), once) << k;
        double stored = static_cast<double>(FIfexp(3.0, y));
        EXPECT_EQ(std::bit_cast<std::uint64_t>(stored), exact::double_bits(s, scale)) << k;
        if (std::bit_cast<std::uint64_t>(1.0 - stored) != once) ++double_rounding_differs;
    }
    // The single rounding is visible: rounding the power to double first changes some results.
    EXPECT_GT(double_rounding_differs, 0);
}

TEST(Power, ErrorClasses) {
    constexpr double inf = std::numeric_limits<double>::infinity();
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
        // clang-format on
    };
    for (const Case& c : cases)
        EXPECT_EQ(runtime::library_pow(c.x, c.y).error, c.error) << c.x << "**" << c.y;
}

} // namespace
