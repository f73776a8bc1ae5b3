// crout-plot as a user runs it: its status, its one line on standard error and whether a
// picture is written, for each kind of report and for files it cannot read or write.

#include <filesystem>

#include <gtest/gtest.h>

#include "tests/plot/real_reports.hpp"

namespace {

using namespace testsupport;

TEST(CroutPlot, StatusMessageAndPicture) {
    const RealReports& r = real_reports();
    const std::string& whole = r.cut.back();
    struct Case {
        std::string report, args;
        int status;
        std::string message;
    } const cases[] = {
        {whole, "", 0, ""},
        {r.cut[8], "", 2,
         "resul3.doc: option 2 was cut short: 7 of its 10 error norms drawn, missing kind 2 "
         "from order 30"},
        {r.twice, "", 2,
         "resul3.doc: the report holds 2 runs of option 2: drawn run 2, the last complete one"},
        {r.option1, "", 1, "resul3.doc: the report holds option 1's results only"},
        {"a letter\n", "", 1, "resul3.doc: not a report of crout: no record of option 1 or 2"},
        {whole, "none.doc", 1, "cannot read none.doc: No such file or directory"},
        {whole, ".", 1, "cannot read .: Is a directory"},
        {whole, "-o /dev/full", 1, "cannot write /dev/full: No space left on device"},
        {whole, "-o no/such.svg", 1, "cannot write no/such.svg: No such file or directory"},
        {whole, "a b", 1, "usage: crout-plot [REPORT] [-o FILE]"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args + " " + c.message);
        TempDir dir;
        dir.write("resul3.doc", c.report);
        const RunResult run = run_program(CROUT_PLOT_BINARY, dir, {.args = words(c.args)});
        EXPECT_EQ(run.status, c.status);
        EXPECT_EQ(run.err, c.message.empty() ? "" : "crout-plot: " + c.message + "\n");
        EXPECT_EQ(std::filesystem::exists(dir.file("resul3.svg")), c.status != 1);
    }
}

} // namespace
