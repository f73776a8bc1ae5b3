// The option read on a terminal: standard input and output on one pseudo-terminal, so one line
// state serves both directions.

#include <string>

#include <gtest/gtest.h>

#include "tests/support/run_program.hpp"

namespace {

using namespace testsupport;

TEST(OptionRead, TheMenuLineIsEndedBeforeTheReadAndNothingFollowsAfterThree) {
    TempDir dir;
    RunResult r = run_crout(dir, {.input = "3\n", .terminal = true});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, kMenu + "\r\n");
}

TEST(OptionRead, TheMenuAfterAnOptionStartsOnTheLineBelowTheTypedOne) {
    TempDir dir;
    RunResult r = run_crout(dir, {.input = "0\n3\n", .terminal = true});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, kMenu + "\r\n" + kMenu + "\r\n");
}

TEST(OptionRead, LineLengthAndEndOfInputAtATerminal) {
    struct Case {
        std::string typed;
        int status;
        std::string tail; // what follows the menu and its line end
    };
    const Case cases[] = {
        {std::string(129, ' ') + "3\n", 0, ""},
        // A fault met while the line is taken leaves the console line open: the closing at
        // exit ends it after the report.
        {std::string(130, ' ') + "3\n", 1,
         report("F6407: READ(CON)", "input line longer than 130 characters") + "\r\n"},
        {"\x04", 1, report("F6501: READ(CON)", "end of file encountered") + "\r\n"},
        {"\x1a\n", 1, report("F6501: READ(CON)", "end of file encountered") + "\r\n"},
        {"3\x1a\n", 1, report("F6501: READ(CON)", "end of file encountered") + "\r\n"},
        // A fault found after the line has ended leaves nothing open.
        {"abc\n", 1, report("F6101: READ(CON)", "invalid character in integer")},
    };
    for (const Case& c : cases) {
        TempDir dir;
        RunResult r = run_crout(dir, {.input = c.typed, .terminal = true});
        SCOPED_TRACE(c.typed.size());
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.out, kMenu + "\r\n" + c.tail);
    }
}

} // namespace
