// The pause prompt in a process: the reply, the command it runs and the layout around it.
// (Ctrl-C while a command runs is a session fault.)

#include <gtest/gtest.h>

#include "tests/support/run_program.hpp"

using namespace testsupport;

// Each case is the reply to the first of two pauses, typed at a terminal or redirected from a
// file, with the report open; the second reply is "echo two". What the first command shows
// stands between the two prompts; a reply that does not fit is consumed whole and runs nothing.
TEST(Pause, Replies) {
    enum { kRedirected = 1, kTerminal = 2, kBoth = 3 };
    const std::string a121(121, 'a');
    const struct {
        std::string reply, shown;
        int modes = kBoth;
    } cases[] = {
        // clang-format off
        {"\n", ""}, {" \t  \n", ""}, {" \t  \r\n", "", kRedirected}, {"  echo   hi \t\n", "hi\n"}, {"printf '%s' \"$0\"\n", "sh"},
        {"x \t\n", ""}, {"ls \t\n", "resul3.doc\n"}, // trailing blanks and tabs go: one character runs nothing, two run
        {"exit 3\n", ""}, {"yes | head -c1\n", "y"}, // its status is ignored; it gets the default action for SIGPIPE
        {"ls -l /proc/self/fd | grep -c resul3\n", "0\n"}, // it inherits no report descriptor
        {"echo one\r", "one\n"},              // a CR alone ends the reply; the next byte is kept
        // 126 characters fit; 127 in a file, not at a terminal; 128 nowhere.
        {"echo " + a121 + "\n", a121 + "\n"}, {"echo " + a121 + "a\n", a121 + "a\n", kRedirected},
        {"echo " + a121 + "a\n", "", kTerminal}, {"echo " + a121 + "aa\n", "", kRedirected},
        {"echo " + std::string(300, 'a') + "\n", ""},
        {std::string("echo hi\0 there\n", 15), "", kRedirected}, // cannot be passed whole
        // Ctrl-D at a terminal: a closed console is a blank reply; a reply it ends is run, if it fits.
        {"\x04", "", kTerminal}, {"echo hi\x04", "hi\n", kTerminal}, {std::string(200, 'x') + "\x04", "", kTerminal},
        // clang-format on
    };
    for (const auto& c : cases) {
        for (bool terminal : {false, true}) {
            if (!(c.modes & (terminal ? kTerminal : kRedirected))) continue;
            TempDir dir;
            RunResult r = run_probe(dir, {.args = words("open label:A pause pause label:B"),
                                          .input = c.reply + "echo two\n",
                                          .terminal = terminal});
            SCOPED_TRACE(c.reply.substr(0, 20) + (terminal ? " at a terminal" : ""));
            const std::string shown = "A\r\n" + kPrompt + c.shown + "\r\n" + kPrompt;
            EXPECT_EQ(r.outcome(), std::tuple(0, "", shown + "two\n\r\nB\r\n"));
        }
    }
}
