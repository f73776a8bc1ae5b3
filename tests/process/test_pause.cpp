// The pause prompt, through the probe program: the layout around it, the reply, the command
// it runs, and the report file written out before it waits.

#include <string>

#include <gtest/gtest.h>

#include "tests/process/menu_text.hpp"
#include "tests/support/run_program.hpp"

namespace {

using namespace testsupport;

RunResult probe(const TempDir& dir, std::vector<std::string> steps, const std::string& input) {
    RunOptions options;
    options.cwd = dir.path();
    options.args = std::move(steps);
    options.input = input;
    return run_program(PROBE_BINARY, options);
}

TEST(Pause, RepliesWithRedirectedInput) {
    struct Case {
        std::string reply;
        std::string shown; // what the command writes between the prompt and the next record
    };
    const Case cases[] = {
        {"\n", ""},
        {" \t  \r\n", ""},
        {"x   \n", ""},
        {"echo hi\n", "hi\n"},
        {"  echo   hi \t\r\n", "hi\n"},
        {"printf '%s' \"$0\"\n", "sh"},
        {"echo " + std::string(122, 'a') + "\n", std::string(122, 'a') + "\n"}, // 127 characters
        {"echo " + std::string(123, 'a') + "\n", ""},                           // 128: not run
        {std::string("echo hi\0 there\n", 15), ""}, // cannot be passed whole: not run
    };
    for (const Case& c : cases) {
        TempDir dir;
        RunResult r = probe(dir, {"label:A", "pause", "label:B"}, c.reply);
        SCOPED_TRACE(c.reply);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(r.out, "A\r\n" + kPrompt + c.shown + "\r\nB\r\n");
    }
}

TEST(Pause, ATooLongReplyIsConsumedWholeAndTheNextLineIsTheNextReply) {
    TempDir dir;
    RunResult r = probe(dir, {"pause", "pause"}, "echo " + std::string(300, 'a') + "\necho two\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, kPrompt + kPrompt + "two\n");
}

TEST(Pause, ACommandThatFailsIsLeftToTheInterpreterAndTheRunGoesOn) {
    TempDir dir;
    RunResult r = probe(dir, {"pause", "label:B"}, "no-such-command-here\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.err.find("no-such-command-here"), std::string::npos);
    EXPECT_EQ(r.out, kPrompt + "B\r\n");
}

TEST(Pause, EndOfInputIsReportedAsAWriteOnTheConsole) {
    TempDir dir;
    RunResult r = probe(dir, {"open", "label:A", "pause"}, "");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, report("F6501: WRITE(CON)", "end of file encountered"));
    EXPECT_EQ(dir.read("resul3.doc"), " A\r\n") << "the units are closed by the exit";
}

TEST(Pause, TheReportIsWrittenOutBeforeThePromptWaits) {
    TempDir dir;
    RunResult r = probe(dir, {"open", "label:A", "row:3", "pause"}, "cat resul3.doc\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "A\r\n" + kPrompt + " A\r\nxxx\r\n\r\n");
}

TEST(Pause, OptionsAndRepliesComeFromOneStreamInOrder) {
    TempDir dir;
    RunResult r = probe(dir, {"read", "pause", "read"}, "7\necho mid\n8\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "7\r\n" + kPrompt + "mid\n\r\n8\r\n");
}

TEST(Pause, AtATerminal) {
    struct Case {
        std::string typed;
        std::string shown;
    };
    const Case cases[] = {
        {"\n", ""},
        {"  \t\n", ""},
        {"y \n", ""},
        {"echo hi\n", "hi\n"},
        {"echo " + std::string(121, 'a') + "\n", std::string(121, 'a') + "\n"}, // 126 characters
        {"echo " + std::string(122, 'a') + "\n", ""},                           // 127: not run
        {"echo " + std::string(300, 'a') + "\n", ""},
        {"\x04", ""}, // a closed console is a blank reply
    };
    for (const Case& c : cases) {
        TempDir dir;
        PtySession pty(PROBE_BINARY, dir.path(), {"label:A", "pause", "label:B"});
        pty.read_until(kPrompt);
        pty.type(c.typed);
        SCOPED_TRACE(c.typed.size());
        EXPECT_EQ(pty.wait(), 0);
        EXPECT_EQ(pty.output(), "A\r\n" + kPrompt + c.shown + "\r\nB\r\n");
    }
}

} // namespace
