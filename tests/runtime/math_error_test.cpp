// The error hook and the conversion to integer. (The reports that can arise are checked on the
// running program in test_fpcheck.cpp.)

#include <cmath>

#include <gtest/gtest.h>

#include "runtime/error_report.hpp"
#include "runtime/ftol.hpp"
#include "runtime/math_error.hpp"

namespace {

using runtime::MathCode;

TEST(MathError, UnderflowAndPartialLossArePassedOver) {
    for (MathCode type : {MathCode::RangeUnderflow, MathCode::PartialLoss}) {
        runtime::MathErrorRecord record{type, "pow", 10.0, -400.0, 0.0};
        EXPECT_EQ(runtime::matherr(record), 1);
        EXPECT_FALSE(runtime::math_flag());
    }
}

TEST(MathErrorDeathTest, OtherClassesAreReportedUnderTheirShownName) {
    auto report = [](MathCode type, const char* name) {
        runtime::MathErrorRecord record{type, name, 1.0, 0.0, 0.0};
        runtime::matherr(record);
    };
    EXPECT_EXIT(report(MathCode::Domain, "fmod"), testing::ExitedWithCode(1),
                testing::Eq("\r\nrun-time error M6201: MATH\r\n- mod: DOMAIN error\r\n"));
    EXPECT_EXIT(report(MathCode::TotalLoss, "sin"), testing::ExitedWithCode(1),
                testing::Eq("\r\nrun-time error M6205: MATH\r\n- sin: TLOSS error\r\n"));
}

TEST(Ftol, TruncatesTowardZero) {
    const std::pair<double, std::int32_t> cases[] = {
        {6.0, 6},    {std::nextafter(3.0, 0.0), 2}, {-2.5, -2},
        {-0.999, 0}, {2147483647.9, 2147483647},    {-2147483648.9, -2147483647 - 1},
    };
    for (auto [x, n] : cases) EXPECT_EQ(runtime::ftol(x), n) << x;
}

TEST(FtolDeathTest, OutOfRangeIsAnInvalidOperation) {
    EXPECT_EXIT(
        runtime::ftol(2147483648.0), testing::ExitedWithCode(1),
        testing::Eq("\r\nrun-time error M6101: MATH\r\n- floating-point error: invalid\r\n"));
}

} // namespace
