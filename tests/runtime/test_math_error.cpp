// The math-error texts and numbers, the error hook, and the conversion to integer.

#include <cmath>

#include <gtest/gtest.h>

#include "runtime/error_report.hpp"
#include "runtime/ftol.hpp"
#include "runtime/math_error.hpp"

namespace {

using runtime::MathCode;

TEST(MathError, ReportTextAndNumber) {
    struct Case {
        MathCode code;
        int number;
        const char* text;
    };
    const Case cases[] = {
        {MathCode::TrapInvalid, 6101, "floating-point error: invalid"},
        {MathCode::TrapDenormal, 6102, "floating-point error: denormal"},
        {MathCode::TrapDivideByZero, 6103, "floating-point error: divide by zero"},
        {MathCode::TrapOverflow, 6104, "floating-point error: overflow"},
        {MathCode::TrapUnderflow, 6105, "floating-point error: underflow"},
        {MathCode::TrapInexact, 6106, "floating-point error: inexact"},
        {MathCode::TrapSquareRoot, 6108, "floating-point error: square root"},
        {MathCode::TrapStackOverflow, 6110, "floating-point error: stack overflow"},
        {MathCode::TrapStackUnderflow, 6111, "floating-point error: stack underflow"},
        {MathCode::Domain, 6201, "**: DOMAIN error"},
        {MathCode::Singularity, 6202, "**: SING error"},
        {MathCode::RangeOverflow, 6203, "**: OVERFLOW error"},
        {MathCode::RangeUnderflow, 6204, "**: UNDERFLOW error"},
        {MathCode::TotalLoss, 6205, "**: TLOSS error"},
        {MathCode::PartialLoss, 6206, "**: PLOSS error"},
    };
    for (const Case& c : cases) {
        runtime::MathReport report = runtime::math_report(c.code, "**");
        EXPECT_EQ(report.number, c.number);
        EXPECT_EQ(report.text, c.text);
    }
}

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

TEST(MathError, OperationNameIsShownNameUpToEightCharacters) {
    runtime::MathErrorState state;
    for (auto [library, shown] : {std::pair{"pow", "**      "},
                                  {"fmod", "mod     "},
                                  {"atan2", "atan2   "},
                                  {"function_name", "function"}}) {
        runtime::set_operation_name(state, library);
        EXPECT_EQ(std::string(state.name.data(), 8), shown);
        EXPECT_EQ(state.name_length,
                  static_cast<int>(std::string(shown).find_last_not_of(' ') + 1));
    }
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
