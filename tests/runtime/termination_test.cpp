// How the process ends: the closing of the units at exit and its faults, the fatal messages
// with their statuses, and Ctrl-C.

#include <csignal>
#include <unistd.h>

#include <gtest/gtest.h>

#include "tests/support/run_program.hpp"

namespace {

using namespace testsupport;

const std::string kFull = report("F6422: WRITE(resul3.doc)", "no space left on device");
const std::string kFullAtClose = report("F6422: CLOSE(resul3.doc)", "no space left on device");

TEST(Termination, AFullDeviceIsReportedWhereTheBytesFirstLeave) {
    struct Case {
        std::vector<std::string> steps;
        int status;
        std::string err;
    };
    const Case cases[] = {
        // Nothing written: nothing to fail.
        {{"open"}, 0, ""},
        // A full buffer goes out at once.
        {{"open", "row:1030"}, 1, kFull},
        // Buffered records go out before a pause waits.
        {{"open", "label:A", "pause"}, 1, kFull},
        // A closing that fails after a normal end still ends with status 1.
        {{"open", "label:A"}, 1, kFullAtClose},
        {{"open", "label:A", "close"}, 1, kFullAtClose},
        // A report, then the closing at exit fails too: both are made, status stays 1.
        {{"open", "label:A", "div", "1", "0"},
         1,
         report("M6103: MATH", "floating-point error: divide by zero") + kFullAtClose},
    };
    for (const Case& c : cases) {
        TempDir dir;
        ASSERT_EQ(symlink("/dev/full", dir.file("resul3.doc").c_str()), 0);
        RunResult r = run_probe(dir, {.args = c.steps});
        SCOPED_TRACE(c.steps.back());
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.err, c.err);
    }
}

TEST(Termination, FatalMessages) {
    TempDir dir;
    RunResult r = run_probe(dir, {.args = {"idiv"}});
    EXPECT_EQ(r.err, "\r\nruntime error R6003\r\n- integer divide by 0\r\n");
    EXPECT_EQ(r.status, 0x94);
    r = run_probe(dir, {.args = {"stack"}});
    EXPECT_EQ(r.err, "\r\nruntime error R6000\r\n- stack overflow\r\n");
    EXPECT_EQ(r.status, 0xFD);
}

TEST(Termination, CtrlCEndsTheRunAtOnceWithoutAReport) {
    TempDir dir;
    RunResult r = run_crout(dir, {.terminal = true, .script = {{kMenu + "\r\n", "\x03"}}});
    EXPECT_EQ(r.signal, SIGINT);
    EXPECT_EQ(r.out, kMenu + "\r\n");
}

TEST(Termination, CtrlCAtAPauseLosesNoRecordOfTheReport) {
    TempDir dir;
    RunResult r = run_probe(dir, {.args = {"open", "label:A", "pause", "label:B"},
                                  .terminal = true,
                                  .script = {{kPrompt, "\x03"}}});
    EXPECT_EQ(r.signal, SIGINT);
    EXPECT_EQ(dir.read("resul3.doc"), " A\r\n");
}

} // namespace
