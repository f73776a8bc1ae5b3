// Operations on a power's extended result: one rounding to double, subnormals included, and
// the math-error report of the trap when the result overflows or is invalid.

#include <bit>
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "runtime/power.hpp"
#include "tests/runtime/exact.hpp"

namespace {

using runtime::FIfexp;

std::uint64_t bits(double d) {
    return std::bit_cast<std::uint64_t>(d);
}

// Just below the least normal double a result keeps 52 bits. These values lie a hair off a
// midpoint of that grid; rounded to 53 bits first they would become ties and round the other way.
TEST(Extended, SubnormalResultsRoundOnce) {
    for (std::uint64_t s : {0x80000000000017FFu, 0x8000000000000801u}) {
        runtime::Extended x = runtime::Extended::finite(false, s, -1086);
        std::uint64_t once = testsupport::exact_double_bits(
            mpz_class(static_cast<unsigned long>(s)), mpz_class(mpz_class(1) << 1086));
        EXPECT_EQ(bits(static_cast<double>(x)), once) << s;
        EXPECT_EQ(bits(x * 1.0), once) << s;
        EXPECT_EQ(bits(0.0 + x), once) << s;
    }
}

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(ExtendedDeathTest, OverflowInvalidAndDivisionByZeroEndTheRun) {
    const std::string head = "\r\nrun-time error M";
    EXPECT_EXIT(static_cast<void>(FIfexp(2.0, 1023.0) * 2.0), testing::ExitedWithCode(1),
                testing::Eq(head + "6104: MATH\r\n- floating-point error: overflow\r\n"));
    EXPECT_EXIT(static_cast<void>(FIfexp(2.0, kInf) - FIfexp(2.0, kInf)),
                testing::ExitedWithCode(1),
                testing::Eq(head + "6101: MATH\r\n- floating-point error: invalid\r\n"));
    EXPECT_EXIT(static_cast<void>(1.0 / FIfexp(0.0, 2.0)), testing::ExitedWithCode(1),
                testing::Eq(head + "6103: MATH\r\n- floating-point error: divide by zero\r\n"));
}

} // namespace
