// Connecting the report unit to "resul3.doc" as a process: a folder in its place, files and
// folders without permission for an unprivileged user, an existing report cut at the first
// record.

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "tests/support/run_program.hpp"

namespace {

using namespace testsupport;

TEST(ReportFile, AFolderInItsPlaceEndsTheRunBeforeTheMenu) {
    TempDir dir;
    ASSERT_EQ(mkdir(dir.file("resul3.doc").c_str(), 0755), 0);
    RunResult r = run_crout(dir, {.input = "3\n"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, report("F6414: OPEN(resul3.doc)", "access denied in opening file"));
}

// Without privileges: an existing read-only report is left as it is when no record is
// written; a folder that cannot take a new file ends the run before the menu.
TEST(ReportFile, PermissionsAsAnUnprivilegedUser) {
    for (bool existing : {true, false}) {
        TempDir dir;
        if (existing) {
            dir.write("resul3.doc", "kept");
            ASSERT_EQ(chmod(dir.file("resul3.doc").c_str(), 0444), 0);
        } else {
            ASSERT_EQ(chmod(dir.path().c_str(), 0555), 0);
        }
        RunResult r = run_crout(dir, {.input = "3\n", .as_nobody = true});
        if (existing) {
            EXPECT_EQ(r.status, 0) << r.err;
            EXPECT_EQ(dir.read("resul3.doc"), "kept");
        } else {
            EXPECT_EQ(r.status, 1);
            EXPECT_EQ(r.err, report("F6414: OPEN(resul3.doc)", "access denied in opening file"));
        }
    }
}

TEST(ReportFile, AReadOnlyReportEndsTheRunAtTheFirstRecord) {
    TempDir dir;
    dir.write("resul3.doc", "kept");
    ASSERT_EQ(chmod(dir.file("resul3.doc").c_str(), 0444), 0);
    RunResult r = run_probe(dir, {.args = {"open", "label:A", "label:B"}, .as_nobody = true});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "A\r\n");
    EXPECT_EQ(r.err, report("F6421: WRITE(resul3.doc)", "access denied in writing file"));
    EXPECT_EQ(dir.read("resul3.doc"), "kept");
}

TEST(ReportFile, AnExistingReportIsCutAtTheFirstRecordAndHoldsOnlyThisRun) {
    TempDir dir;
    dir.write("resul3.doc", std::string(5000, 'o'));
    RunResult r = run_probe(dir, {.args = {"open", "label:A", "row:2000", "label:B"}});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(dir.read("resul3.doc"), " A\r\n" + std::string(2000, 'x') + "\r\n B\r\n");
}

} // namespace
