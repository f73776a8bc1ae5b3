// How a run ends: the closing of the units at exit and its faults ("resul3.doc" a link to
// /dev/full, no space left), and the fatal messages with their statuses.

#include <unistd.h>

#include <gtest/gtest.h>

#include "tests/support/run_program.hpp"

namespace {

using namespace testsupport;

TEST(Termination, TheClosingAtExitAndItsFaults) {
    const std::string full = report("F6422: WRITE(resul3.doc)", "no space left on device");
    const std::string full_at_close = report("F6422: CLOSE(resul3.doc)", "no space left on device");
    const std::string divide_by_zero = "\r\nruntime error R6003\r\n- integer divide by 0\r\n";
    const struct {
        std::string steps;
        int status;
        std::string err;
    } cases[] = {
        {"open", 0, ""},                                   // nothing written: nothing to fail
        {"open label:" + std::string(1030, 'x'), 1, full}, // a full buffer goes out at once
        {"open label:A pause", 1, full},    // buffered records go out before a pause waits
        {"open label:A read", 1, full},     // and before the option read waits
        {"open label:A", 1, full_at_close}, // a failed closing after a normal end: status 1
        {"open label:A close", 1, full_at_close},
        // A report, then the closing at exit fails too: both are made, the status stays.
        {"open label:A div 1 0", 1,
         report("M6103: MATH", "floating-point error: divide by zero") + full_at_close},
        {"open label:A idiv", 0x94, divide_by_zero + full_at_close},
        {"stack", 0xFD, "\r\nruntime error R6000\r\n- stack overflow\r\n"},
    };
    for (const auto& c : cases) {
        TempDir dir;
        ASSERT_EQ(symlink("/dev/full", dir.file("resul3.doc").c_str()), 0);
        RunResult r = run_probe(dir, {.args = words(c.steps)});
        SCOPED_TRACE(c.steps);
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.err, c.err);
    }
}

} // namespace
