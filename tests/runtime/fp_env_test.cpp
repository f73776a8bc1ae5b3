// The floating-point environment of the whole program: the probe runs the start-up, then one
// operation; a fatal exception ends it with the math-error report.

#include <string>

#include <gtest/gtest.h>

#include "tests/support/run_program.hpp"

namespace {

using namespace testsupport;

std::string math_report(const std::string& number, const std::string& text) {
    return report("M" + number + ": MATH", text);
}

TEST(FloatEnvironment, FatalExceptionsAndSilentOnes) {
    struct Case {
        std::string args;
        std::string out; // the result's bits, for the operations that pass
        std::string err;
        int status;
    };
    const std::string fpe = "floating-point error: ";
    const Case cases[] = {
        {"div 1 0", "", math_report("6103", fpe + "divide by zero"), 1},
        {"div 0 0", "", math_report("6101", fpe + "invalid"), 1},
        {"sub inf inf", "", math_report("6101", fpe + "invalid"), 1},
        {"mul 1e300 1e300", "", math_report("6104", fpe + "overflow"), 1},
        {"pow -2 0.5", "", math_report("6201", "**: DOMAIN error"), 1},
        {"pow 0 -1", "", math_report("6202", "**: SING error"), 1},
        {"pow 10 400", "", math_report("6203", "**: OVERFLOW error"), 1},
        // Underflow, denormal operands and inexact results pass silently.
        {"mul 1e-300 1e-300", "0000000000000000\n", "", 0},
        {"mul 0x1p-1000 0x1p-70", "0000000000000010\n", "", 0},   // 2^-1070
        {"add 0x1p-1074 0x1p-1074", "0000000000000002\n", "", 0}, // denormal operands
        {"pow 10 -400", "0000000000000000\n", "", 0},
        {"pow 2 -1074", "0000000000000001\n", "", 0},
        {"powsub 3 -1", "3fe5555555555555\n", "", 0}, // 2/3 = 0x1.5555555555555p-1
    };
    for (const Case& c : cases) {
        TempDir dir;
        RunResult r = run_probe(dir, {.args = words(c.args)});
        EXPECT_EQ(r.out, c.out) << c.args;
        EXPECT_EQ(r.err, c.err) << c.args;
        EXPECT_EQ(r.status, c.status) << c.args;
    }
}

} // namespace
