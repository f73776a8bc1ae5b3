// The option read in a process on a terminal, where standard input and output are one
// pseudo-terminal and one line state serves both directions. The scanning of the typed lines is
// option_scanner_test.cpp's; the report written out before the read waits,
// closing_at_exit_test.cpp's.

#include <string>

#include <gtest/gtest.h>

#include "tests/support/run_program.hpp"

namespace {

using namespace testsupport;

// The menu's line is ended before the read, and a typed line ends the line state: nothing
// follows the menu after 3, and the next menu starts on the line below the typed one.
TEST(OptionRead, LinesTypedAtTheMenu) {
    const struct {
        std::string typed;
        std::string tail; // what follows the menu and its line end
    } cases[] = {
        {"3\n", ""},
        {"0\n3\n", kMenu + "\r\n"},
        // A fault met while the line is taken leaves the console line open: the closing at
        // exit ends it after the report.
        {std::string(130, ' ') + "3\n",
         report("F6407: READ(CON)", "input line longer than 130 characters") + "\r\n"},
        {"\x04", report("F6501: READ(CON)", "end of file encountered") + "\r\n"},
        // A fault found after the line has ended leaves nothing open.
        {"abc\n", report("F6101: READ(CON)", "invalid character in integer")},
    };
    for (const auto& c : cases) {
        TempDir dir;
        RunResult r = run_crout(dir, {.input = c.typed, .terminal = true});
        SCOPED_TRACE(c.typed.size());
        EXPECT_EQ(r.status, c.tail.find("error") == std::string::npos ? 0 : 1);
        EXPECT_EQ(r.out, kMenu + "\r\n" + c.tail);
    }
}

} // namespace
