// The number map and the layout of the run-time error report.

#include <gtest/gtest.h>

#include "runtime/error_codes.hpp"
#include "runtime/error_report.hpp"
#include "runtime/statement.hpp"

namespace {

using runtime::ErrorCode;
using runtime::StatementKind;

TEST(NumberMap, BlockEdges) {
    const std::pair<int, int> edges[] = {
        {0, 96},   {10, 106}, {11, 200}, {25, 214}, {26, 300}, {45, 319}, {46, 400}, {71, 425},
        {72, 500}, {88, 516}, {89, 600}, {91, 602}, {92, 700}, {93, 701}, {94, 980}, {110, 996},
    };
    for (auto [code, number] : edges) EXPECT_EQ(runtime::FFtmap[code], number) << code;
}

TEST(NumberMap, EveryFaultOfTheProgramShowsItsNumber) {
    const std::pair<ErrorCode, int> faults[] = {
        {ErrorCode::IntegerOverflow, 6100},   {ErrorCode::InvalidInteger, 6101},
        {ErrorCode::SecondBaseMark, 6302},    {ErrorCode::BadBase, 6303},
        {ErrorCode::LineTooLong, 6407},       {ErrorCode::OpenInvalidArgument, 6412},
        {ErrorCode::OpenAccessDenied, 6414},  {ErrorCode::OpenFileExists, 6415},
        {ErrorCode::OpenFileNotFound, 6416},  {ErrorCode::OpenTooManyFiles, 6417},
        {ErrorCode::WriteAccessDenied, 6421}, {ErrorCode::WriteDiskFull, 6422},
        {ErrorCode::ReadFailed, 6500},        {ErrorCode::EndOfFile, 6501},
        {ErrorCode::ZeroRepeatFactor, 6502},  {ErrorCode::SecondRepeatFactor, 6503},
        {ErrorCode::NotAnInteger, 6504},      {ErrorCode::OutOfMemory, 6700},
    };
    for (auto [code, number] : faults) EXPECT_EQ(runtime::displayed_number(code), number);
}

// The whole report, as standard error receives it, for each statement kind.
TEST(ReportDeathTest, LayoutByStatementKind) {
    struct Case {
        StatementKind kind;
        const char* unit;
        const char* message;
        const char* expected;
    };
    const Case cases[] = {
        {StatementKind::Read, "CON", "bad",
         "^\r\nrun-time error F6101: READ\\(CON\\)\r\n- bad\r\n$"},
        {StatementKind::Write, "resul3.doc", "full",
         "^\r\nrun-time error F6101: WRITE\\(resul3.doc\\)\r\n- full\r\n$"},
        {StatementKind::Open, "resul3.doc", "",
         "^\r\nrun-time error F6101: OPEN\\(resul3.doc\\)\r\n\r\n$"},
        {StatementKind::Close, "resul3.doc", "m",
         "^\r\nrun-time error F6101: CLOSE\\(resul3.doc\\)\r\n- m\r\n$"},
        {StatementKind::Math, "CON", "floating-point error: invalid",
         "^\r\nrun-time error F6101: MATH\r\n- floating-point error: invalid\r\n$"},
        {StatementKind::StartUp, "CON", "no memory",
         "^\r\nrun-time error F6101\r\n- no memory\r\n$"},
    };
    for (const Case& c : cases) {
        EXPECT_EXIT(
            {
                runtime::begin_statement(c.kind, c.unit, false);
                runtime::FF_puterr(6101, c.message);
            },
            testing::ExitedWithCode(1), c.expected);
    }
}

TEST(ReportDeathTest, TheMathFlagShowsTheLetterM) {
    EXPECT_EXIT(
        {
            runtime::begin_statement(StatementKind::Math, "", false);
            runtime::set_math_flag(true);
            runtime::FF_puterr(6103, "floating-point error: divide by zero");
        },
        testing::ExitedWithCode(1), "^\r\nrun-time error M6103: MATH\r\n");
}

} // namespace
