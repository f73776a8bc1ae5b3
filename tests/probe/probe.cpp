// probe STEP...: the program's start-up, then each step in turn, so that tests can put the
// run-time through its paces as a real process. A step may take the words after it.
//   /c                 nothing: the probe may stand for a command interpreter (COMSPEC)
//   open               connect unit 20 to "resul3.doc"
//   label:TEXT         a label record on the console, then on unit 20 when it is connected
//   pause              the pause prompt
//   read               read an option, then show it as a label record on the console
//   close              close unit 20
//   OP X Y             X op Y in the program's arithmetic, its bits shown as 16 hex digits;
//                      OP is add, sub, mul, div, ge and lt (X >= Y, X < Y: 1 or 0), pow (X**Y
//                      stored to a double) or powsub (1 - X**Y: the power enters the subtraction
//                      unrounded)
//   powers             for each line "X Y OP" of standard input (the doubles' bits as decimal
//                      integers, OP a runtime::Operation), the math library's X**Y with its
//                      error class, then that power stored, taken from 1 and entering OP with
//                      the previous line's power (at first an infinity): power_line.hpp
//   checked            whether the arithmetic checks itself: 1 or 0
//   notraps            masks the float traps, as a processor or emulator that does not deliver
//                      them leaves them: the program's checks must find the faults alone
//   fdiv X Y           X / Y without the program's check: only a trap reports its fault
//   idiv               an integer division by zero
//   stack              unbounded recursion until the stack overflows
//   solve N A... B...  factors the N x N matrix A (row by row) with the program's LU and solves
//                      A x = B with SOLVE, to meet their faults
// The process then ends as the program does: status 0, units closed at exit.

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>

#include "io/option_read.hpp"
#include "io/pause.hpp"
#include "io/startup.hpp"
#include "io/unit_table.hpp"
#include "io/write_statement.hpp"
#include "linalg/crout.hpp"
#include "platform/float_environment.hpp"
#include "platform/io.hpp"
#include "runtime/bit_cast.hpp"
#include "runtime/checked.hpp"
#include "runtime/library_pow.hpp"
#include "runtime/startup.hpp"
#include "tests/probe/power_line.hpp"

static volatile int g_depth_limit =
    -1; // never reached; hides the recursion's end from the compiler

[[gnu::noinline]] static int recurse(int depth) {
    volatile char frame[4096];
    frame[0] = static_cast<char>(depth);
    return depth == g_depth_limit ? 0 : recurse(depth + 1) + frame[0];
}

// The program's integer division: where the arithmetic checks itself, the check reports the
// zero divisor; elsewhere the division must reach the processor, not the undefined-behaviour
// checks.
[[gnu::noinline]] __attribute__((no_sanitize("integer-divide-by-zero"))) static int
integer_divide(int a, int b) {
    if constexpr (runtime::kArithmeticChecked) return runtime::checked::divide(a, b);
    return a / b;
}

int main(int argc, char** argv) {
    io::install_console_units();
    runtime::start_run_time(&io::close_all_units);
    io::UnitTable& units = io::units();
    std::int32_t z = 0;
    auto number = [&](int& i) { return i + 1 < argc ? std::strtod(argv[++i], nullptr) : 0.0; };
    auto show = [](const std::string& text) {
        platform::write_all(platform::kStdout, text.data(), text.size());
    };
    for (int i = 1; i < argc; ++i) {
        const std::string_view step = argv[i];
        if (step == "/c") {
            continue; // started as the command interpreter: the steps follow
        } else if (step == "open") {
            units.open(20, "resul3.doc");
        } else if (step.starts_with("label:")) {
            io::write_list_directed(units.console(), {step.substr(6)});
            if (io::Unit* report = units.find(20))
                io::write_list_directed(*report, {step.substr(6)});
        } else if (step == "pause") {
            io::pause_prompt(units);
        } else if (step == "read") {
            io::read_option(units, z);
            io::write_list_directed(units.console(), {std::to_string(z)});
        } else if (step == "close") {
            units.close(20);
        } else if (step == "powers") {
            // Standard input whole, through the platform's handles, as the program reads.
            std::string text;
            char chunk[4096];
            for (long n;
                 (n = platform::read_once(platform::kStdin, chunk, sizeof chunk).count) > 0;)
                text.append(chunk, static_cast<std::size_t>(n));
            std::istringstream input(text);
            std::uint64_t x = 0, y = 0;
            int op = 0;
            runtime::Extended previous = runtime::Extended::infinity(false);
            std::string lines;
            while (input >> x >> y >> op)
                lines += power_line({runtime::library_pow, runtime::round_to_double,
                                     runtime::round_operation, runtime::power},
                                    runtime::bit_cast<double>(x), runtime::bit_cast<double>(y), op,
                                    previous);
            show(lines);
        } else if (step == "checked") {
            show(std::to_string(runtime::kArithmeticChecked) + "\n");
        } else if (step == "notraps") {
            platform::hold_float_state();
        } else if (step == "fdiv") {
            volatile double numerator = number(i), denominator = number(i);
            volatile double quotient = numerator / denominator;
            static_cast<void>(quotient);
        } else if (step == "idiv") {
            volatile int numerator = 1, denominator = 0;
            return integer_divide(numerator, denominator);
        } else if (step == "stack") {
            return recurse(0);
        } else if (step == "solve") {
            const auto n = static_cast<std::size_t>(number(i));
            std::vector<double> a(n * n), b(n);
            for (std::size_t k = 0; k < n * n; ++k) a[k / n + k % n * n] = number(i);
            for (double& component : b) component = number(i);
            linalg::LU(static_cast<double>(n), a);
            linalg::SOLVE(static_cast<double>(n), a, b);
        } else if (const double x = number(i), y = number(i);
                   step == "add" || step == "sub" || step == "mul" || step == "div" ||
                   step == "ge" || step == "lt" || step == "pow" || step == "powsub") {
            using namespace runtime::checked;
            show(hex(step == "add"   ? add(x, y)
                     : step == "sub" ? subtract(x, y)
                     : step == "mul" ? multiply(x, y)
                     : step == "div" ? divide(x, y)
                     : step == "ge"  ? (greater_equal(x, y) ? 1.0 : 0.0)
                     : step == "lt"  ? (less(x, y) ? 1.0 : 0.0)
                     : step == "pow" ? static_cast<double>(runtime::power(x, y))
                                     : 1.0 - runtime::power(x, y)) +
                 "\n");
        } else {
            return 2;
        }
    }
    return 0;
}
