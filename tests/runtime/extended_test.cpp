// Operations on a power's extended result end the run with the math-error report of the trap
// when their result overflows, is invalid or divides by zero. (Their roundings are checked
// against MPFR in power_test.cpp.)

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "runtime/power.hpp"

namespace {

using runtime::FIfexp;

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
