// How a run ends, and the floating-point environment it runs in. The probe runs the start-up,
// then its steps: a fatal exception ends it with the math-error report, the others pass
// silently; the closing of the units at exit meets its faults ("resul3.doc" a link to
// /dev/full, no space left); the fatal messages have their statuses. The traps the start-up
// unmasks are read back. Operations on a power's extended result end the run with the report
// of the trap when their result overflows, is invalid or divides by zero (their roundings are
// checked against MPFR in power_test.cpp).

#include <unistd.h>

#include <limits>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/float_environment.hpp"
#include "runtime/checked.hpp"
#include "runtime/float_environment.hpp"
#include "runtime/power.hpp"
#include "tests/support/run_program.hpp"

namespace {

using namespace testsupport;

// Each case runs as it is, and where the traps do not take effect, where each operation's
// check must find its fault.
TEST(Termination, EachFaultEndsTheRunWithItsReportAndStatus) {
    const std::string fpe = "floating-point error: ",
                      invalid = report("M6101: MATH", fpe + "invalid"),
                      overflow = report("M6104: MATH", fpe + "overflow"),
                      full = report("F6422: WRITE(resul3.doc)", "no space left on device"),
                      full_at_close = report("F6422: CLOSE(resul3.doc)", "no space left on device");
    const struct {
        std::vector<std::string> steps; // each alike
        std::optional<std::string> out; // the result's bits, for the operations that pass
        std::string err;
        int status = -1; // -1: 1 after a report, else 0
    } cases[] = {
        // clang-format off
        {{"div 1 0"}, "", report("M6103: MATH", fpe + "divide by zero")},
        {{"div 0 0", "sub inf inf", "mul 0 -inf", "ge nan 1", "ge 1 nan", "lt nan 1", "lt 1 nan"},
         "", invalid},
        {{"mul 1e300 1e300", "add 1e308 1e308"}, "", overflow},
        {{"ge 1 1"}, "3ff0000000000000\n", ""},
        // Infinities and NaNs carried through.
        {{"div -inf 0"}, "fff0000000000000\n", ""},
        {{"mul inf 2"}, "7ff0000000000000\n", ""},
        {{"add nan 1", "add 1 nan"}, "7ff8000000000000\n", ""},
        {{"pow -2 0.5"}, "", report("M6201: MATH", "**: DOMAIN error")},
        {{"pow 0 -1"}, "", report("M6202: MATH", "**: SING error")},
        {{"pow 10 400"}, "", report("M6203: MATH", "**: OVERFLOW error")},
        {{"mul 1e-300 1e-300"}, "0000000000000000\n", ""},
        {{"mul 0x1p-1000 0x1p-70"}, "0000000000000010\n", ""},   // 2^-1070
        {{"add 0x1p-1074 0x1p-1074"}, "0000000000000002\n", ""}, // denormal operands
        {{"pow 2 -1074"}, "0000000000000001\n", ""},
        {{"powsub 3 -1"}, "3fe5555555555555\n", ""}, // 2/3 = 0x1.5555555555555p-1
        // A passed-over underflow leaves no trace: a later fault is one of input (F).
        {{"pow 10 -400 read"}, "0000000000000000\n", report("F6101: READ(CON)", "invalid character in integer")},
        // The closing at exit (what the console shows of the label is not compared): nothing
        // written, nothing to fail; a full buffer goes out at once, and buffered records before
        // a pause or the option read waits; a failed closing after a normal end: status 1.
        {{"open"}, "", ""},
        {{"open label:" + std::string(1030, 'x'), "open label:A pause", "open label:A read"}, std::nullopt, full},
        {{"open label:A", "open label:A close"}, std::nullopt, full_at_close},
        // A report, then the closing at exit fails too: both are made, the status stays.
        {{"open label:A div 1 0"}, std::nullopt, report("M6103: MATH", fpe + "divide by zero") + full_at_close},
        {{"open label:A idiv"}, std::nullopt, "\r\nruntime error R6003\r\n- integer divide by 0\r\n" + full_at_close, 0x94},
        {{"stack"}, "", "\r\nruntime error R6000\r\n- stack overflow\r\n", 0xFD},
        // clang-format on
    };
    for (const auto& c : cases) {
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

// The query reads the control register back: masked, no trap works; unmasked, all three do
// wherever the build relies on them (x86-64), and there the start-up unmasks them. Most 64-bit
// ARM cores, and qemu, keep them masked: the arithmetic checks itself there.
TEST(FloatTraps, WhetherTheyWorkIsReadBack) {
    const platform::FloatState held = platform::hold_float_state();
    const bool masked = platform::float_traps_work();
    runtime::set_up_float_environment();
    const bool set_up = platform::float_traps_work();
    platform::enable_float_traps();
    const bool unmasked = platform::float_traps_work();
    platform::restore_float_state(held);
    EXPECT_FALSE(masked);
    EXPECT_EQ(set_up, !runtime::kArithmeticChecked);
    EXPECT_TRUE(unmasked || runtime::kArithmeticChecked);
    // So the program's start-up leaves a division that no check follows to the trap. (A build
    // whose arithmetic checks itself may run where spawning the probe needs an emulator.)
    if (!runtime::kArithmeticChecked) {
        EXPECT_EQ(run_probe(TempDir(), {.args = words("fdiv 1 0")}).err,
                  report("M6103: MATH", "floating-point error: divide by zero"));
    }
}

TEST(ExtendedDeathTest, OverflowInvalidAndDivisionByZeroEndTheRun) {
    constexpr double inf = std::numeric_limits<double>::infinity();
    const std::string head = "\r\nrun-time error M";
    EXPECT_EXIT(static_cast<void>(runtime::power(2.0, 1023.0) * 2.0), testing::ExitedWithCode(1),
                testing::Eq(head + "6104: MATH\r\n- floating-point error: overflow\r\n"));
    EXPECT_EXIT(static_cast<void>(runtime::power(2.0, inf) - runtime::power(2.0, inf)),
                testing::ExitedWithCode(1),
                testing::Eq(head + "6101: MATH\r\n- floating-point error: invalid\r\n"));
    EXPECT_EXIT(static_cast<void>(1.0 / runtime::power(0.0, 2.0)), testing::ExitedWithCode(1),
                testing::Eq(head + "6103: MATH\r\n- floating-point error: divide by zero\r\n"));
    // 2^1024 - 2^960 is nearer 2^1024 than the largest double: an overflow when rounded.
    EXPECT_EXIT(
        static_cast<void>(static_cast<double>(runtime::Extended::finite(false, ~0ULL, 960))),
        testing::ExitedWithCode(1),
        testing::Eq(head + "6104: MATH\r\n- floating-point error: overflow\r\n"));
}

} // namespace
