#pragma once
// The program's arithmetic where the processor does not trap: each operation that can fault
// tests its own result at once and, on a fault, reports the one the operation itself raised,
// before anything else runs. A non-finite result from finite operands is classified from the
// operands: x / 0 is a division by zero (M6103), a new NaN (0 / 0, inf - inf, 0 * inf) an
// invalid operation (M6101), an infinity an overflow (M6104). An ordered comparison with a NaN
// is invalid (M6101). An integer division by zero ends the run as its trap does (R6003).
//
// Sticky flags tested after a statement cannot do this: they do not say which fault came
// first, and compilers move flag reads across inlined arithmetic. The test here reads only the
// result, right after its operation, and the report is a call that nothing after it can pass.
//
// Every build has the checks. Where the processor traps (x86-64), the trap of an operation comes
// before its check, which then never reports; a program that runs where the traps do not take
// effect (most 64-bit ARM cores, some emulators) is caught by the checks instead. A build may leave
// the traps masked (CROUT_CHECKED_ARITHMETIC: always on every processor but x86-64, an option
// there), so that the checks alone find every fault, in the order of the operations, also where a
// compiler has moved an operation ahead of an earlier one's check.
//
//     a(I, K) = checked::subtract(a(I, K), checked::multiply(a(I, L), a(L, K)));

#include <cmath>
#include <cstdint>

#include "runtime/extended.hpp"

#ifndef CROUT_CHECKED_ARITHMETIC
#define CROUT_CHECKED_ARITHMETIC 0
#endif

namespace runtime {

// The traps stay masked and the checks alone report.
inline constexpr bool kArithmeticChecked = CROUT_CHECKED_ARITHMETIC != 0;

namespace detail {

// The report of the fault that x op y = result raised, if it raised one (the operands finite,
// the result not); returns when it raised none (a NaN or an infinity carried through).
[[gnu::cold]] void report_fault_of(Operation op, double x, double y, double result);
// The reports of an ordered comparison with a NaN and of an integer division by zero.
[[noreturn]] void report_unordered_comparison();
[[noreturn]] void report_integer_divide_by_zero();

} // namespace detail

namespace checked {

template <bool Checks = true>
[[gnu::always_inline]] inline double apply(Operation op, double x, double y) {
    double result = op == Operation::Add        ? x + y
                    : op == Operation::Subtract ? x - y
                    : op == Operation::Multiply ? x * y
                                                : x / y;
    if constexpr (Checks) {
        if (!std::isfinite(result)) [[unlikely]]
            detail::report_fault_of(op, x, y, result);
    }
    return result;
}

template <bool Checks = true> inline double add(double x, double y) {
    return apply<Checks>(Operation::Add, x, y);
}
template <bool Checks = true> inline double subtract(double x, double y) {
    return apply<Checks>(Operation::Subtract, x, y);
}
template <bool Checks = true> inline double multiply(double x, double y) {
    return apply<Checks>(Operation::Multiply, x, y);
}
template <bool Checks = true> inline double divide(double x, double y) {
    return apply<Checks>(Operation::Divide, x, y);
}

// x >= y and x < y, ordered: a NaN operand is an invalid operation.
template <bool Checks = true> inline bool greater_equal(double x, double y) {
    if constexpr (Checks) {
        if (std::isunordered(x, y)) [[unlikely]]
            detail::report_unordered_comparison();
    }
    return x >= y;
}
template <bool Checks = true> inline bool less(double x, double y) {
    if constexpr (Checks) {
        if (std::isunordered(x, y)) [[unlikely]]
            detail::report_unordered_comparison();
    }
    return x < y;
}

// a / b, truncated; a zero divisor ends the run with the report of the integer-divide trap, and
// so does the one quotient out of range, the most negative value over -1. Checked only where
// the arithmetic checks itself alone: x86-64 always traps an integer division.
template <bool Checks = kArithmeticChecked>
inline std::int32_t divide(std::int32_t a, std::int32_t b) {
    if constexpr (Checks) {
        if (b == 0 || (b == -1 && a == INT32_MIN)) [[unlikely]]
            detail::report_integer_divide_by_zero();
    }
    return a / b;
}

} // namespace checked

} // namespace runtime
