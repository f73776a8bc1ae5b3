// The report file under faults made real: a full device, a read-only file, a closing that
// fails after the run's end.

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "tests/process/menu_text.hpp"
#include "tests/support/run_program.hpp"

namespace {

using namespace testsupport;

RunResult probe(const TempDir& dir, std::vector<std::string> steps, bool as_nobody = false) {
    RunOptions options;
    options.cwd = dir.path();
    options.args = std::move(steps);
    options.as_nobody = as_nobody;
    return run_program(PROBE_BINARY, options);
}

const std::string kFull = report("F6422: WRITE(resul3.doc)", "no space left on device");
const std::string kFullAtClose = report("F6422: CLOSE(resul3.doc)", "no space left on device");

TEST(ReportFaults, AFullDeviceIsReportedWhereTheBytesFirstLeave) {
    struct Case {
        std::vector<std::string> steps;
        int status;
        std::string err;
    };
    const Case cases[] = {
        // Nothing written: nothing to fail.
        {{"open"}, 0, ""},
        // A full buffer goes out at once.
        {{"open", "row:1030"}, 1, kFull},
        // Buffered records go out before a pause waits.
        {{"open", "label:A", "pause"}, 1, kFull},
        // A closing that fails after a normal end still ends with status 1.
        {{"open", "label:A"}, 1, kFullAtClose},
        {{"open", "label:A", "close"}, 1, kFullAtClose},
        // A report, then the closing at exit fails too: both are made, status stays 1.
        {{"open", "label:A", "divide"},
         1,
         report("M6103: MATH", "floating-point error: divide by zero") + kFullAtClose},
    };
    for (const Case& c : cases) {
        TempDir dir;
        ASSERT_EQ(symlink("/dev/full", dir.file("resul3.doc").c_str()), 0);
        RunResult r = probe(dir, c.steps);
        SCOPED_TRACE(c.steps.back());
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.err, c.err);
    }
}

TEST(ReportFaults, AReadOnlyReportEndsTheRunAtTheFirstRecord) {
    TempDir dir;
    dir.write("resul3.doc", "kept");
    ASSERT_EQ(chmod(dir.file("resul3.doc").c_str(), 0444), 0);
    RunResult r = probe(dir, {"open", "label:A", "label:B"}, true);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "A\r\n");
    EXPECT_EQ(r.err, report("F6421: WRITE(resul3.doc)", "access denied in writing file"));
    EXPECT_EQ(dir.read("resul3.doc"), "kept");
}

TEST(ReportFaults, AnExistingReportIsCutAtTheFirstRecordAndHoldsOnlyThisRun) {
    TempDir dir;
    dir.write("resul3.doc", std::string(5000, 'o'));
    RunResult r = probe(dir, {"open", "label:A", "row:2000", "label:B"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(dir.read("resul3.doc"), " A\r\n" + std::string(2000, 'x') + "\r\n B\r\n");
}

} // namespace
