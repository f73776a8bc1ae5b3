// How a run ends, and the floating-point environment it runs in. The probe runs the start-up,
// then its steps: a fatal exception ends it with the math-error report, the others pass
// silently; the closing of the units at exit meets its faults ("resul3.doc" a link to
// /dev/full, no space left); the fatal messages have their statuses. The traps the start-up
// unmasks are read back.

#include <unistd.h>

#include <iterator>
#include <optional>
#include <sstream>

#include <gtest/gtest.h>

#include "tests/linalg/runs_reference.hpp"
#include "tests/support/run_program.hpp"

using namespace testsupport;

// Each case runs as it is, and where the traps do not take effect, where each operation's
// check must find its fault.
TEST(Termination, EachFaultEndsTheRunWithItsReportAndStatus) {
    const std::string fpe = "floating-point error: ",
                      full_at_close = report("F6422: CLOSE(resul3.doc)", "no space left on device");
    struct Case {
        std::vector<std::string> steps; // each alike
        std::optional<std::string> out; // the result's bits, for the operations that pass
        std::string err;
        int status = -1; // -1: 1 after a report, else 0
    };
    std::vector<Case> cases = {
        // clang-format off
        {{"div 1 0"}, "", report("M6103: MATH", fpe + "divide by zero")},
        {{"div 0 0", "sub inf inf", "mul 0 -inf", "ge nan 1", "ge 1 nan", "lt nan 1", "lt 1 nan"}, "", report("M6101: MATH", fpe + "invalid")},
        {{"mul 1e300 1e300", "add 1e308 1e308"}, "", report("M6104: MATH", fpe + "overflow")}, {{"ge 1 1"}, "3ff0000000000000\n", ""},
        // Infinities and NaNs carried through.
        {{"div -inf 0"}, "fff0000000000000\n", ""}, {{"mul inf 2"}, "7ff0000000000000\n", ""},
        {{"add nan 1", "add 1 nan"}, "7ff8000000000000\n", ""},
        {{"pow -2 0.5"}, "", report("M6201: MATH", "**: DOMAIN error")}, {{"pow 0 -1"}, "", report("M6202: MATH", "**: SING error")},
        {{"pow 10 400"}, "", report("M6203: MATH", "**: OVERFLOW error")},
        {{"mul 1e-300 1e-300"}, "0000000000000000\n", ""}, {{"mul 0x1p-1000 0x1p-70"}, "0000000000000010\n", ""}, // 2^-1070
        {{"add 0x1p-1074 0x1p-1074"}, "0000000000000002\n", ""}, {{"pow 2 -1074"}, "0000000000000001\n", ""}, // denormals
        {{"powsub 3 -1"}, "3fe5555555555555\n", ""}, // 2/3 = 0x1.5555555555555p-1
        // A passed-over underflow leaves no trace: a later fault is one of input (F).
        {{"pow 10 -400 read"}, "0000000000000000\n", report("F6101: READ(CON)", "invalid character in integer")},
        // The closing at exit (what the console shows of the label is not compared): nothing
        // written, nothing to fail; a full buffer goes out at once, and buffered records before
        // a pause or the option read waits; a failed closing after a normal end: status 1.
        {{"open"}, "", ""},
        {{"open label:" + std::string(1030, 'x'), "open label:A pause", "open label:A read"}, std::nullopt,
         report("F6422: WRITE(resul3.doc)", "no space left on device")},
        {{"open label:A", "open label:A close"}, std::nullopt, full_at_close},
        // A report, then the closing at exit fails too: both are made, the status stays.
        {{"open label:A div 1 0"}, std::nullopt, report("M6103: MATH", fpe + "divide by zero") + full_at_close},
        {{"open label:A idiv"}, std::nullopt, "\r\nruntime error R6003\r\n- integer divide by 0\r\n" + full_at_close, 0x94},
        {{"stack"}, "", "\r\nruntime error R6000\r\n- stack overflow\r\n", 0xFD},
        // clang-format on
    };
    // LU and SOLVE (N, then A row by row, then B) end the run at the first fault that the
    // method's own order meets under IEEE rules, whatever order a fast form meets its faults in:
    // the textbook's loops (runs_reference.hpp) stand for that order.
    // clang-format off
    for (const std::string matrix : {
             "2  0 1  1 1  1 1",              // the first row of U over A(1, 1) = 0
             "3  0 0 1  1 1 1  1 1 1  1 1 1", // 0 / 0 first
             "3  1 1 1  1 1 2  1 1 1  1 1 1", "3  1 1 1  1 1 1  1 1 1  1 1 1", // stage 2: the pivot 1 - 1 * 1
             // A fast kernel meets an overflow at U(2, 4) first, the method a division at U(2, 3).
             "4  1 1 1 1e200  1e200 1e200 0 0  1 2 3 4  5 6 7 8  1 1 1 1",
             "3  1 0 0  0 1 1e200  0 1e200 1  0 0 0", // an overflow in the last pivot's last term
             "2  1 1  1 1  1 2", "2  1 1  1 1  1 1",  // a zero last pivot: the solver's division
             "1  0  1",                               // the forward substitution's first division
             "2  1e-200 0  1e200 1  1 1",             // an overflow in the forward substitution
             "3  2 1 1  1 2 1  1 1 2  1 2 3",         // no fault
         }) {
        // clang-format on
        std::istringstream in(matrix);
        const std::vector<double> numbers{std::istream_iterator<double>(in), {}};
        const auto n = std::size_t(numbers[0]);
        std::vector<double> a(n * n), b(numbers.end() - long(n), numbers.end());
        for (std::size_t k = 0; k < n * n; ++k) a[k / n + k % n * n] = numbers[k + 1];
        reference::first_fault = 0;
        reference::textbook_factor(int(n), a);
        reference::textbook_solve(int(n), a, b);
        const int fault = reference::first_fault;
        const std::string kinds[] = {"invalid", "", "divide by zero", "overflow"}; // 6101 to 6104
        const std::string err =
            fault ? report("M" + std::to_string(fault) + ": MATH", fpe + kinds[fault - 6101]) : "";
        cases.push_back({{"solve " + matrix}, "", err});
    }
    for (const Case& c : cases) {
        for (const std::string& steps : c.steps) {
            if (steps == "stack" && programs_lack("stack")) continue;
            for (const std::string traps : {"", "notraps "}) {
                TempDir dir;
                ASSERT_EQ(symlink("/dev/full", dir.file("resul3.doc").c_str()), 0);
                RunResult r = run_probe(dir, {.args = words(traps + steps), .input = "abc\n"});
                const int status = c.status >= 0 ? c.status : c.err.empty() ? 0 : 1;
                EXPECT_EQ(std::tie(r.status, r.err), std::tuple(status, c.err)) << traps + steps;
                EXPECT_EQ(r.out, c.out.value_or(r.out)) << traps + steps;
            }
        }
    }
}

// The float traps as the program's start-up leaves them: where the build relies on them
// (x86-64), a division that no check follows reaches the trap; where the arithmetic checks
// itself, they stay masked, and the division passes.
TEST(FloatTraps, TheStartUpUnmasksThemWhereTheBuildReliesOnThem) {
    const bool checked = run_probe(TempDir(), {.args = {"checked"}}).out == "1\n";
    const std::string trap = report("M6103: MATH", "floating-point error: divide by zero");
    EXPECT_EQ(run_probe(TempDir(), {.args = words("fdiv 1 0")}).outcome(),
              std::tuple(checked ? 0 : 1, checked ? "" : trap, ""));
}
