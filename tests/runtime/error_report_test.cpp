// The number map, and the report layouts that the running program does not show elsewhere
// (the process tests check the READ, WRITE, OPEN, CLOSE and MATH reports byte for byte).

#include <gtest/gtest.h>

#include "runtime/error_codes.hpp"
#include "runtime/error_report.hpp"
#include "runtime/statement.hpp"

namespace {

using runtime::StatementKind;

TEST(NumberMap, BlockEdges) {
    const std::pair<int, int> edges[] = {
        {0, 96},   {10, 106}, {11, 200}, {25, 214}, {26, 300}, {45, 319}, {46, 400}, {71, 425},
        {72, 500}, {88, 516}, {89, 600}, {91, 602}, {92, 700}, {93, 701}, {94, 980}, {110, 996},
    };
    for (auto [code, number] : edges) EXPECT_EQ(runtime::FFtmap[code], number) << code;
}

TEST(ReportDeathTest, AnEmptyMessageAndTheStartUpCategory) {
    EXPECT_EXIT(
        {
            runtime::begin_statement(StatementKind::Open, "resul3.doc", false);
            runtime::FF_puterr(6414, "");
        },
        testing::ExitedWithCode(1),
        testing::Eq("\r\nrun-time error F6414: OPEN(resul3.doc)\r\n\r\n"));
    EXPECT_EXIT(
        {
            runtime::begin_statement(StatementKind::StartUp, "", false);
            runtime::FF_error(runtime::ErrorCode::OutOfMemory);
        },
        testing::ExitedWithCode(1),
        testing::Eq("\r\nrun-time error F6700\r\n- not enough memory\r\n"));
}

} // namespace
