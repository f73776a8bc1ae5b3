// The power as the program under test computes it (the probe's powers step: this processor's
// build, or another processor's or system's under its emulator) against MPFR on every class of
// arguments, bit for bit: the power rounded once to 64 bits with its error class, then stored,
// taken from 1 and entering an operation with the previous power, each rounded once to double;
// and the power as the program takes it, from its memo (filled by the first powers, then full)
// or computed again, stored.

#include <bit>
#include <sstream>

#include <gtest/gtest.h>

#include "tests/probe/power_line.hpp"
#include "tests/support/mpfr_reference.hpp"
#include "tests/support/power_families.hpp"
#include "tests/support/run_program.hpp"

TEST(PowerInTheProgram, MatchesMpfrOnEveryClass) {
    // Fewer under an emulator, and in debug and sanitized builds.
#ifdef NDEBUG
    const long pairs = testsupport::native_programs() ? 30000 : 3000;
#else
    const long pairs = 6000;
#endif
    std::mt19937_64 bits(1);
    std::ostringstream input;
    std::vector<std::tuple<double, double, std::string>> expected;
    runtime::Extended previous = runtime::Extended::infinity(false);
    // MPFR's arithmetic; the program's power, without an error, is the library's.
    const PowerArithmetic mpfr = {mpfr_reference::library_pow, mpfr_reference::round_to_double,
                                  mpfr_reference::round_operation, [](double x, double y) {
                                      return mpfr_reference::library_pow(x, y).value;
                                  }};
    for (const testsupport::Family& family : testsupport::families(bits)) {
        for (long i = 0; i < pairs; ++i) {
            const auto [x, y] = family.pair(i);
            input << std::bit_cast<std::uint64_t>(x) << ' ' << std::bit_cast<std::uint64_t>(y)
                  << ' ' << i % 4 << '\n';
            expected.emplace_back(x, y, power_line(mpfr, x, y, int(i % 4), previous));
        }
    }
    testsupport::TempDir dir;
    const testsupport::RunResult r =
        testsupport::run_probe(dir, {.args = {"powers"}, .input = input.str()});
    ASSERT_EQ(r.status, 0) << r.err;
    std::istringstream out(r.out);
    long mismatches = 0;
    for (const auto& [x, y, line] : expected) {
        std::string got;
        std::getline(out, got);
        if (got + "\n" != line && ++mismatches <= 10)
            ADD_FAILURE() << std::hexfloat << x << " ** " << y << ": " << got << ", not " << line;
    }
    EXPECT_EQ(mismatches, 0);
}
