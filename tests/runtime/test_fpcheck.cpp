// The floating-point environment of the whole program: fpcheck runs the start-up, then one
// operation; a fatal exception ends it with the report on standard error.

#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/run_program.hpp"

namespace {

struct Case {
    std::string args;
    std::string out; // the result's bits, for the operations that pass
    std::string err;
    int status;
};

std::string math_report(const std::string& number, const std::string& text) {
    return "\r\nrun-time error M" + number + ": MATH\r\n- " + text + "\r\n";
}

testsupport::RunResult run(const std::string& args, const testsupport::TempDir& dir = {}) {
    testsupport::RunOptions options;
    options.cwd = dir.path();
    std::istringstream words(args);
    for (std::string word; words >> word;) options.args.push_back(word);
    return testsupport::run_program(CROUT_FPCHECK, options);
}

TEST(FloatEnvironment, FatalExceptionsAndSilentOnes) {
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
        testsupport::RunResult r = run(c.args);
        EXPECT_EQ(r.out, c.out) << c.args;
        EXPECT_EQ(r.err, c.err) << c.args;
        EXPECT_EQ(r.status, c.status) << c.args;
    }
}

// A zero pivot met by the program's own factorisation or solver ends the run at its division;
// the report file keeps the records shown before it, and nothing after it is shown.
TEST(FloatEnvironment, AZeroPivotEndsTheRunAtItsDivision) {
    const std::string divide = math_report("6103", "floating-point error: divide by zero");
    const std::string invalid = math_report("6101", "floating-point error: invalid");
    const std::pair<std::string, std::string> cases[] = {
        {"2  0 1  1 1  1 1", divide},              // first row of U over A(1, 1) = 0
        {"2  0 0  1 1  1 1", invalid},             // 0 / 0 there
        {"3  1 1 1  1 1 2  1 1 1  1 1 1", divide}, // stage 2: the pivot 1 - 1 * 1
        {"3  1 1 1  1 1 1  1 1 1  1 1 1", invalid},
        {"2  1 1  1 1  1 2", divide}, // a zero last pivot: the solver's division by it
        {"2  1 1  1 1  1 1", invalid},
        {"2  2 0  0 4  2 4", ""},
    };
    for (const auto& [matrix, err] : cases) {
        testsupport::TempDir dir;
        testsupport::RunResult r = run("solve " + matrix, dir);
        SCOPED_TRACE(matrix);
        EXPECT_EQ(r.err, err);
        EXPECT_EQ(r.status, err.empty() ? 0 : 1);
        std::string solved = " solved\r\n  1.0000000000000000\r\n  1.0000000000000000\r\n";
        EXPECT_EQ(dir.read("resul3.doc"), " before\r\n" + (err.empty() ? solved : ""));
    }
}

TEST(FloatEnvironment, IntegerDivisionByZero) {
    testsupport::RunResult r = run("idiv");
    EXPECT_EQ(r.err, "\r\nruntime error R6003\r\n- integer divide by 0\r\n");
    EXPECT_EQ(r.status, 0x94);
}

TEST(FloatEnvironment, StackOverflow) {
    testsupport::RunResult r = run("stack");
    EXPECT_EQ(r.err, "\r\nruntime error R6000\r\n- stack overflow\r\n");
    EXPECT_EQ(r.status, 0xFD);
}

} // namespace
