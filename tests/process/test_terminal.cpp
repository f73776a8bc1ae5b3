// The program on a terminal: standard input and output on one pseudo-terminal, so one line
// state serves both directions.

#include <string>

#include <gtest/gtest.h>

#include "tests/process/menu_text.hpp"
#include "tests/support/run_program.hpp"

namespace {

using namespace testsupport;

TEST(Terminal, TheMenuLineIsEndedBeforeTheReadAndNothingFollowsAfterThree) {
    TempDir dir;
    PtySession pty(crout_binary(), dir.path());
    pty.read_until(kMenu + "\r\n");
    pty.type("3\n");
    EXPECT_EQ(pty.wait(), 0);
    EXPECT_EQ(pty.output(), kMenu + "\r\n");
}

TEST(Terminal, TheMenuAfterAnOptionStartsOnTheLineBelowTheTypedOne) {
    TempDir dir;
    PtySession pty(crout_binary(), dir.path());
    pty.read_until(kMenu + "\r\n");
    pty.type("0\n");
    pty.read_until(kMenu + "\r\n" + kMenu + "\r\n");
    pty.type("3\n");
    EXPECT_EQ(pty.wait(), 0);
    EXPECT_EQ(pty.output(), kMenu + "\r\n" + kMenu + "\r\n");
}

TEST(Terminal, LineLengthAndEndOfInput) {
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
        PtySession pty(crout_binary(), dir.path());
        pty.read_until(kMenu + "\r\n");
        pty.type(c.typed);
        SCOPED_TRACE(c.typed.size());
        EXPECT_EQ(pty.wait(), c.status);
        EXPECT_EQ(pty.output(), kMenu + "\r\n" + c.tail);
    }
}

TEST(Terminal, CtrlCEndsTheRunAtOnceWithoutAReport) {
    TempDir dir;
    PtySession pty(crout_binary(), dir.path());
    pty.read_until(kMenu + "\r\n");
    pty.type("\x03");
    EXPECT_EQ(pty.wait(), -1);
    EXPECT_EQ(pty.output(), kMenu + "\r\n");
}

TEST(Terminal, CtrlCAtAPauseLosesNoRecordOfTheReport) {
    TempDir dir;
    PtySession pty(PROBE_BINARY, dir.path(), {"open", "label:A", "pause", "label:B"});
    pty.read_until(kPrompt);
    pty.type("\x03");
    EXPECT_EQ(pty.wait(), -1);
    EXPECT_EQ(dir.read("resul3.doc"), " A\r\n");
}

} // namespace
