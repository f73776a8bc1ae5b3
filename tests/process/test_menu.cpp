// The program as a process with redirected handles: the menu dialogue, the report file and the
// faults of the option read.

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "tests/process/menu_text.hpp"
#include "tests/support/run_program.hpp"

namespace {

using namespace testsupport;
using namespace std::string_literals;

RunResult run_crout(const TempDir& dir, const std::string& input) {
    RunOptions options;
    options.cwd = dir.path();
    options.input = input;
    return run_program(crout_binary(), options);
}

// Until a 3 is read, every option shows the menu again; the report file is created and
// nothing is written to it.
TEST(Menu, OptionsUntilThree) {
    const std::pair<std::string, int> cases[] = {
        {"3\n", 1},
        {"0\n4\n-1\n2147483647\n3\n", 5},
        {"\r\n  \t\r\n3", 1}, // blank lines skipped; the last line has no line end
        {std::string(4 << 20, ' ') + "3\n", 1}, // a line of megabytes is read in pieces
    };
    for (const auto& [input, menus] : cases) {
        TempDir dir;
        RunResult r = run_crout(dir, input);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.err, "");
        std::string expected = kMenu;
        for (int i = 1; i < menus; ++i) expected += "\r\n" + kMenu;
        EXPECT_EQ(r.out, expected + "\r\n");
        ASSERT_TRUE(dir.exists("resul3.doc"));
        EXPECT_EQ(dir.read("resul3.doc"), "");
    }
}

TEST(Menu, AnExistingReportIsLeftByteForByteWhenNothingIsWritten) {
    TempDir dir;
    std::string old = "old report\r\n\x1a\0 binary"s;
    dir.write("resul3.doc", old);
    RunResult r = run_crout(dir, "3\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(dir.read("resul3.doc"), old);
}

TEST(Menu, FaultsOfTheOptionReadEndTheRunWithTheirReport) {
    struct Case {
        std::string input;
        const char* head;
        const char* message;
    };
    const Case cases[] = {
        {"abc\n", "F6101: READ(CON)", "invalid character in integer"},
        {"", "F6501: READ(CON)", "end of file encountered"},
        {"0\n", "F6501: READ(CON)", "end of file encountered"},
        {"2147483648\n", "F6100: READ(CON)", "integer value too large"},
        {"'3'\n", "F6504: READ(CON)", "character or complex value read for integer"},
        {"0*2\n", "F6502: READ(CON)", "zero repeat factor"},
        {"\x1a\n", "F6501: READ(CON)", "end of file encountered"},
        {"3\0\n"s, "F6101: READ(CON)", "invalid character in integer"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        RunResult r = run_crout(dir, c.input);
        SCOPED_TRACE(c.head);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, report(c.head, c.message));
        EXPECT_TRUE(dir.exists("resul3.doc"));
    }
}

TEST(ReportFile, AFolderInItsPlaceEndsTheRunBeforeTheMenu) {
    TempDir dir;
    ASSERT_EQ(mkdir(dir.file("resul3.doc").c_str(), 0755), 0);
    RunResult r = run_crout(dir, "3\n");
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
        RunOptions options;
        options.cwd = dir.path();
        options.input = "3\n";
        options.as_nobody = true;
        RunResult r = run_program(crout_binary(), options);
        if (existing) {
            EXPECT_EQ(r.status, 0) << r.err;
            EXPECT_EQ(dir.read("resul3.doc"), "kept");
        } else {
            EXPECT_EQ(r.status, 1);
            EXPECT_EQ(r.err, report("F6414: OPEN(resul3.doc)", "access denied in opening file"));
        }
    }
}

TEST(Console, AClosedOrFullStandardOutput) {
    for (bool closed : {true, false}) {
        TempDir dir;
        RunOptions options;
        options.cwd = dir.path();
        options.input = "3\n";
        options.close_stdout = closed;
        options.stdout_dev_full = !closed;
        RunResult r = run_program(crout_binary(), options);
        // A console that has gone away loses its output; a full one is reported.
        EXPECT_EQ(r.status, closed ? 0 : 1);
        EXPECT_EQ(r.err, closed ? "" : report("F6422: WRITE(CON)", "no space left on device"));
        EXPECT_EQ(dir.read("resul3.doc"), "");
    }
}

} // namespace
