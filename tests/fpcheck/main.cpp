// fpcheck OP X Y: runs the program's start-up, computes X op Y in the program's arithmetic and
// prints the result's bit pattern as 16 lower-case hex digits and a line end. A math error ends
// it with the math-error report.
//
//   add, sub, mul, div  the double operation
//   pow                 X**Y stored to a double
//   powsub              1.0 - X**Y, the power entering the subtraction unrounded
//   idiv                an integer division by zero (X and Y are not needed)
//   stack               unbounded recursion until the stack overflows

#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "io/startup.hpp"
#include "platform/io.hpp"
#include "runtime/power.hpp"

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
    write_text(platform::kStderr, "usage: fpcheck add|sub|mul|div|pow|powsub|idiv|stack X Y\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage();
    std::string_view op = argv[1];
    io::start_runtime();

    if (op == "idiv") {
        volatile int numerator = 1;
        volatile int denominator = 0;
        return divide(numerator, denominator);
    }
    if (op == "stack") return recurse(0);
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
