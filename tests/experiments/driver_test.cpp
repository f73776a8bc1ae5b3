// The menu loop as a process with redirected handles: the dialogue, the report file it creates,
// and the faults of the option read.

#include <filesystem>

#include <gtest/gtest.h>

#include "tests/support/run_program.hpp"

namespace {

using namespace testsupport;
using namespace std::string_literals;

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
        RunResult r = run_crout(dir, {.input = input});
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.err, "");
        std::string expected = kMenu;
        for (int i = 1; i < menus; ++i) expected += "\r\n" + kMenu;
        EXPECT_EQ(r.out, expected + "\r\n");
        EXPECT_TRUE(std::filesystem::exists(dir.file("resul3.doc")));
        EXPECT_EQ(dir.read("resul3.doc"), "");
    }
}

TEST(Menu, AnExistingReportIsLeftByteForByteWhenNothingIsWritten) {
    TempDir dir;
    std::string old = "old report\r\n\x1a\0 binary"s;
    dir.write("resul3.doc", old);
    RunResult r = run_crout(dir, {.input = "3\n"});
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
        RunResult r = run_crout(dir, {.input = c.input});
        SCOPED_TRACE(c.head);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, report(c.head, c.message));
    }
}

} // namespace
