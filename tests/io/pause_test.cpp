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
        {"\n", ""}, {" \t  \n", ""}, {" \t  \r\n", "", kRedirected},
        {"x \t\n", ""},              // trailing blanks and tabs go: one character runs nothing
        {"ls \t\n", "resul3.doc\n"}, // two run
        {"  echo   hi \t\n", "hi\n"}, {"printf '%s' \"$0\"\n", "sh"},
        {"exit 3\n", ""},                                  // the command's status is ignored
        {"ls -l /proc/self/fd | grep -c resul3\n", "0\n"}, // it inherits no report descriptor
        {"yes | head -c1\n", "y"},            // the command gets the default action for SIGPIPE
        {"echo one\r", "one\n"},              // a CR alone ends the reply; the next byte is kept
        {"echo " + a121 + "\n", a121 + "\n"}, // 126 characters
        {"echo " + a121 + "a\n", a121 + "a\n", kRedirected}, {"echo " + a121 + "a\n", "", kTerminal}, // 127
        {"echo " + a121 + "aa\n", "", kRedirected}, // 128
        {"echo " + std::string(300, 'a') + "\n", ""},
        {std::string("echo hi\0 there\n", 15), "", kRedirected}, // cannot be passed whole
        {"\x04", "", kTerminal},                         // a closed console is a blank reply
        {"echo hi\x04", "hi\n", kTerminal},              // a reply ended by Ctrl-D is run
        {std::string(200, 'x') + "\x04", "", kTerminal}, // too long, and ended by Ctrl-D
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
