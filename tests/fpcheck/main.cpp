// fpcheck OP X Y: runs the program's start-up, computes X op Y in the program's arithmetic and
// prints the result's bit pattern as 16 lower-case hex digits and a line end. A math error ends
// it with the math-error report.
//
//   add, sub, mul, div  the double operation
//   pow                 X**Y stored to a double
//   powsub              1.0 - X**Y, the power entering the subtraction unrounded
//   idiv                an integer division by zero (X and Y are not needed)
//   stack               unbounded recursion until the stack overflows
//   solve N A... B...   connects the report unit and shows the label "before"; factors the
//                       N x N matrix A (given row by row) with the program's LU, solves with
//                       SOLVE for B, and shows the label "solved" and each solution component

#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "experiments/crout.hpp"
#include "experiments/display.hpp"
#include "io/startup.hpp"
#include "io/unit_table.hpp"
#include "platform/io.hpp"
#include "runtime/power.hpp"
#include "runtime/termination.hpp"

namespace {

volatile int g_depth_limit = -1; // never reached; hides the recursion's end from the compiler

[[gnu::noinline]] int recurse(int depth) {
    volatile char frame[4096];
    frame[0] = static_cast<char>(depth);
    if (depth == g_depth_limit) return 0;
    return recurse(depth + 1) + frame[0];
}

// The division must reach the processor, not the undefined-behaviour checks.
[[gnu::noinline, gnu::no_sanitize("integer-divide-by-zero")]] int divide(int a, int b) {
    return a / b;
}

void write_text(int fd, std::string_view text) {
    platform::write_all(fd, text.data(), text.size());
}

int usage() {
    write_text(platform::kStderr,
               "usage: fpcheck add|sub|mul|div|pow|powsub|idiv|stack X Y | solve N A... B...\n");
    return 2;
}

int factor_and_solve(int argc, char** argv) {
    const int n = std::atoi(argv[2]);
    if (n < 1 || argc != 3 + n * n + n) return usage();
    std::vector<double> a(static_cast<std::size_t>(n * n)), b(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            a[static_cast<std::size_t>(i + j * n)] = std::strtod(argv[3 + i * n + j], nullptr);
    for (int i = 0; i < n; ++i)
        b[static_cast<std::size_t>(i)] = std::strtod(argv[3 + n * n + i], nullptr);

    io::units().open(experiments::kReportUnit, experiments::kReportFile);
    experiments::Display display(io::units());
    display.label("before");
    const double N = n;
    experiments::LU(N, a, display);
    experiments::SOLVE(N, a, b);
    display.label("solved");
    for (double x : b) display.solution(x);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage();
    std::string_view op = argv[1];
    io::install_console_units();
    runtime::FFinit(io::unit_hooks());

    if (op == "idiv") {
        volatile int numerator = 1;
        volatile int denominator = 0;
        return divide(numerator, denominator);
    }
    if (op == "stack") return recurse(0);
    if (op == "solve" && argc >= 3) return factor_and_solve(argc, argv);
    if (argc != 4) return usage();

    volatile double x = std::strtod(argv[2], nullptr);
    volatile double y = std::strtod(argv[3], nullptr);
    double result = 0.0;
    if (op == "add")
        result = x + y;
    else if (op == "sub")
        result = x - y;
    else if (op == "mul")
        result = x * y;
    else if (op == "div")
        result = x / y;
    else if (op == "pow")
        result = static_cast<double>(runtime::FIfexp(x, y));
    else if (op == "powsub")
        result = 1.0 - runtime::FIfexp(x, y);
    else
        return usage();

    char line[32];
    int length =
        std::snprintf(line, sizeof line, "%016llx\n",
                      static_cast<unsigned long long>(std::bit_cast<std::uint64_t>(result)));
    platform::write_all(platform::kStdout, line, static_cast<std::size_t>(length));
    return 0;
}
