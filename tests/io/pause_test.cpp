// The pause prompt, through the probe program: the layout around it, the reply, the command
// it runs, and the report file written out before it waits.

#include <string>

#include <gtest/gtest.h>

#include "tests/support/run_program.hpp"

namespace {

using namespace testsupport;

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
        RunResult r = run_probe(dir, {.args = {"label:A", "pause", "label:B"}, .input = c.reply});
        SCOPED_TRACE(c.reply);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(r.out, "A\r\n" + kPrompt + c.shown + "\r\nB\r\n");
    }
}

TEST(Pause, ATooLongReplyIsConsumedWholeAndTheNextLineIsTheNextReply) {
    TempDir dir;
    RunResult r = run_probe(dir, {.args = {"pause", "pause"},
                                  .input = "echo " + std::string(300, 'a') + "\necho two\n"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, kPrompt + kPrompt + "two\n");
}

TEST(Pause, ACommandThatFailsIsLeftToTheInterpreterAndTheRunGoesOn) {
    TempDir dir;
    RunResult r = run_probe(dir, {.args = {"pause", "label:B"}, .input = "no-such-command-here\n"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.err.find("no-such-command-here"), std::string::npos);
    EXPECT_EQ(r.out, kPrompt + "B\r\n");
}

TEST(Pause, EndOfInputIsReportedAsAWriteOnTheConsole) {
    TempDir dir;
    RunResult r = run_probe(dir, {.args = {"open", "label:A", "pause"}});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, report("F6501: WRITE(CON)", "end of file encountered"));
    EXPECT_EQ(dir.read("resul3.doc"), " A\r\n") << "the units are closed by the exit";
}

TEST(Pause, TheReportIsWrittenOutBeforeThePromptWaits) {
    TempDir dir;
    RunResult r = run_probe(
        dir, {.args = {"open", "label:A", "row:3", "pause"}, .input = "cat resul3.doc\n"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "A\r\n" + kPrompt + " A\r\nxxx\r\n\r\n");
}

TEST(Pause, OptionsAndRepliesComeFromOneStreamInOrder) {
    TempDir dir;
    RunResult r = run_probe(dir, {.args = {"read", "pause", "read"}, .input = "7\necho mid\n8\n"});
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
        RunResult r = run_probe(
            dir, {.args = {"label:A", "pause", "label:B"}, .input = c.typed, .terminal = true});
        SCOPED_TRACE(c.typed.size());
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, "A\r\n" + kPrompt + c.shown + "\r\nB\r\n");
    }
}

} // namespace
