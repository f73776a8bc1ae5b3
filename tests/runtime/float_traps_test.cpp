// The floating-point environment of the whole program: the probe runs the start-up, then one
// operation; a fatal exception ends it with the math-error report, the others pass silently.
// Operations on a power's extended result end the run with the report of the trap when their
// result overflows, is invalid or divides by zero (their roundings are checked against MPFR in
// power_test.cpp).

#include <limits>

#include <gtest/gtest.h>

#include "platform/float_environment.hpp"
#include "runtime/checked.hpp"
#include "runtime/math_error.hpp"
#include "runtime/power.hpp"
#include "tests/support/run_program.hpp"

namespace {

using namespace testsupport;

TEST(FloatEnvironment, FatalExceptionsAndSilentOnes) {
    const std::string fpe = "floating-point error: ";
    const struct {
        std::string steps;
        std::string out; // the result's bits, for the operations that pass
        std::string err;
    } cases[] = {
        {"div 1 0", "", report("M6103: MATH", fpe + "divide by zero")},
        {"div 0 0", "", report("M6101: MATH", fpe + "invalid")},
        {"mul 1e300 1e300", "", report("M6104: MATH", fpe + "overflow")},
        {"add 1e308 1e308", "", report("M6104: MATH", fpe + "overflow")},
        {"sub inf inf", "", report("M6101: MATH", fpe + "invalid")},
        {"mul 0 -inf", "", report("M6101: MATH", fpe + "invalid")},
        {"ge nan 1", "", report("M6101: MATH", fpe + "invalid")},
        // Where the traps do not take effect, each operation's check finds its fault.
        {"notraps div 1 0", "", report("M6103: MATH", fpe + "divide by zero")},
        {"notraps mul 1e300 1e300", "", report("M6104: MATH", fpe + "overflow")},
        {"notraps sub inf inf", "", report("M6101: MATH", fpe + "invalid")},
        {"ge 1 1", "3ff0000000000000\n", ""},
        {"div -inf 0", "fff0000000000000\n", ""}, // infinities and NaNs carried through
        {"mul inf 2", "7ff0000000000000\n", ""},
        {"add nan 1", "7ff8000000000000\n", ""},
        {"add 1 nan", "7ff8000000000000\n", ""},
        {"notraps ge 1 nan", "", report("M6101: MATH", fpe + "invalid")},
        {"pow -2 0.5", "", report("M6201: MATH", "**: DOMAIN error")},
        {"pow 0 -1", "", report("M6202: MATH", "**: SING error")},
        {"pow 10 400", "", report("M6203: MATH", "**: OVERFLOW error")},
        {"mul 1e-300 1e-300", "0000000000000000\n", ""},
        {"mul 0x1p-1000 0x1p-70", "0000000000000010\n", ""},   // 2^-1070
        {"add 0x1p-1074 0x1p-1074", "0000000000000002\n", ""}, // denormal operands
        {"pow 2 -1074", "0000000000000001\n", ""},
        {"powsub 3 -1", "3fe5555555555555\n", ""}, // 2/3 = 0x1.5555555555555p-1
        // A passed-over underflow leaves no trace: a later fault is one of input (F).
        {"pow 10 -400 read", "0000000000000000\n",
         report("F6101: READ(CON)", "invalid character in integer")},
    };
    for (const auto& c : cases) {
        TempDir dir;
        RunResult r = run_probe(dir, {.args = words(c.steps), .input = "abc\n"});
        EXPECT_EQ(r.outcome(), std::tuple(c.err.empty() ? 0 : 1, c.err, c.out)) << c.steps;
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
