#pragma once
// The runs as the rules state them, computed independently of the program: the test matrices
// and the right-hand side with MPFR's correctly rounded power (a power rounded once to 64 bits,
// then stored to double or entering one operation that rounds once to double), Crout's
// factorisation and the substitutions as the textbook writes them (column-major n x n), and the
// records of options 1 and 2 from the exact reference of number editing.

#include <algorithm>
#include <cmath>

#include "runtime/bit_cast.hpp"
#include "tests/io/number_editing_reference.hpp"
#include "tests/support/mpfr_reference.hpp"
#include "tests/support/run_program.hpp"

namespace reference {

// base^k as MPFR rounds it once to 64 bits, then stored to double or (one_minus) taken from 1.
inline double with_power(int base, int k, bool one_minus = false) {
    namespace mpfr = mpfr_reference;
    const runtime::Extended p = mpfr::library_pow(base, k).value,
                            one = runtime::Extended::from_double(1);
    return one_minus ? mpfr::round_operation(runtime::Operation::Subtract, one, p).value
                     : mpfr::round_to_double(p).value;
}

// Entry (i, j) of the test matrix of order n: 3^-(j-i) above the diagonal, 4^-(i-j) below it,
// 1/i on it; kind 2's corner is the single-precision 1.0001 over n.
inline double matrix_entry(int i, int j, int n, int kind) {
    if (j > i) return with_power(3, i - j);
    if (j < i) return std::ldexp(1.0, 2 * (j - i));
    if (kind == 2 && i == n) return runtime::bit_cast<double>(0x3FF00068E0000000u) / n;
    return 1.0 / i;
}

inline std::vector<double> test_matrix(int n, int kind) { // column-major
    std::vector<double> a;
    for (int k = 0; k < n * n; ++k) a.push_back(matrix_entry(k % n + 1, k / n + 1, n, kind));
    return a;
}

// The row sums of the kind-1 matrix in closed form: 1/i, (1 - 3^(i-n)) / 2 above the diagonal,
// (1 - 4^(1-i)) / 3 below it, each 1 - power rounded once; row 1 as one product.
inline std::vector<double> right_hand_side(int n) {
    std::vector<double> b{with_power(3, -n, true) * 1.5};
    for (int i = 2; i < n; ++i)
        b.push_back((with_power(3, i - n, true) / 2.0 + with_power(4, 1 - i, true) / 3.0) +
                    1.0 / i);
    b.push_back(with_power(4, 1 - n, true) / 3.0 + 1.0 / n);
    return b;
}

// x op y (-, * or /) in double arithmetic, rounded on its own: the store to a volatile keeps
// any compiler from fusing a product with the subtraction that takes it (a fused multiply-add
// rounds once, not twice). The reference so stays the rules' arithmetic whatever the build's
// flags, and the tests that compare the program with it bit for bit fail if a fused
// multiply-add creeps into the program. The first exception that IEEE rules raise and the
// program takes as fatal is kept as its report number: a NaN from operands that are not NaNs
// an invalid operation (6101), a finite nonzero number over zero a division by zero (6103),
// any other infinity from finite operands an overflow (6104).
inline int first_fault = 0;
inline double ieee(char op, double x, double y) {
    volatile double result = op == '-' ? x - y : op == '*' ? x * y : x / y;
    const bool invalid = std::isnan(result) && !std::isnan(x) && !std::isnan(y);
    if (first_fault == 0 &&
        (invalid || (std::isinf(result) && std::isfinite(x) && std::isfinite(y))))
        first_fault = invalid ? 6101 : op == '/' && y == 0 ? 6103 : 6104;
    return result;
}

// Crout's method in place: each element receives its terms in increasing order of the
// summation index, each product rounded before its subtraction.
inline void textbook_factor(int n, std::vector<double>& m) {
    auto a = [&](int i, int j) -> double& { return m[std::size_t(i - 1 + (j - 1) * n)]; };
    for (int j = 2; j <= n; ++j) a(1, j) = ieee('/', a(1, j), a(1, 1));
    for (int k = 2; k <= n - 1; ++k) {
        for (int i = k; i <= n; ++i)
            for (int l = 1; l < k; ++l) a(i, k) = ieee('-', a(i, k), ieee('*', a(i, l), a(l, k)));
        for (int j = k + 1; j <= n; ++j) {
            for (int l = 1; l < k; ++l) a(k, j) = ieee('-', a(k, j), ieee('*', a(k, l), a(l, j)));
            a(k, j) = ieee('/', a(k, j), a(k, k));
        }
    }
    for (int l = 1; l < n; ++l) a(n, n) = ieee('-', a(n, n), ieee('*', a(n, l), a(l, n)));
}

// The forward substitution with L, then the back substitution with U, in the same way.
inline void textbook_solve(int n, const std::vector<double>& m, std::vector<double>& b) {
    auto a = [&](int i, int j) { return m[std::size_t(i - 1 + (j - 1) * n)]; };
    auto x = [&](int i) -> double& { return b[std::size_t(i - 1)]; };
    for (int i = 1; i <= n; ++i) {
        for (int l = 1; l < i; ++l) x(i) = ieee('-', x(i), ieee('*', a(i, l), x(l)));
        x(i) = ieee('/', x(i), a(i, i));
    }
    for (int i = n - 1; i >= 1; --i)
        for (int l = i + 1; l <= n; ++l) x(i) = ieee('-', x(i), ieee('*', a(i, l), x(l)));
}

// What an option shows: the report's records, and the console's (without their first
// character, each after a line break, with the pause prompts); the report's size at each pause;
// the numbers behind the records: option 1's inverse (column-major), option 2's error norms.
struct Shown {
    std::string report, console;
    std::vector<std::size_t> pauses;
    std::vector<double> results;
    void record(const std::string& text, bool on_console = true) {
        report += text + "\r\n";
        if (on_console) console += "\r\n" + text.substr(1);
    }
    void pause() { console += "\r\n" + testsupport::kPrompt, pauses.push_back(report.size()); }
    void matrix(const std::string& caption, const std::vector<double>& m) { // 6 x 6, E 13.6
        record(" " + caption);
        for (std::size_t i = 0; i < 6; ++i) {
            std::string row;
            for (std::size_t j = 0; j < 6; ++j) row += exponent(decimal_form(m[i + 6 * j]), 13, 6);
            record(row);
        }
        pause();
    }
};

inline Shown option_one() {
    Shown s;
    std::vector<double> a = test_matrix(6, 1);
    s.matrix("Matriz A", a);
    textbook_factor(6, a);
    s.matrix("Matriz LU", a);
    double det = 1.0;
    for (std::size_t j = 0; j < 6; ++j) det = a[j * 7] * det;
    s.record(" determinante " + free_form(decimal_form(det)));
    s.pause();
    for (std::size_t j = 0; j < 6; ++j) { // column j solves A x = e(j)
        std::vector<double> e(6, 0.0);
        e[j] = 1.0;
        textbook_solve(6, a, e);
        s.results.insert(s.results.end(), e.begin(), e.end());
    }
    s.matrix("Inversa", s.results);
    return s;
}

inline Shown option_two() {
    Shown s;
    for (int kind : {1, 2}) {
        for (int n = 10; n <= 50; n += 10) {
            std::vector<double> a = test_matrix(n, kind), x = right_hand_side(n);
            textbook_factor(n, a);
            textbook_solve(n, a, x);
            if (n == 10) {
                s.record(" Soluciones para n=10");
                s.record(" ", false);
                for (double component : x) s.record(fixed(decimal_form(component), 20, 16));
                s.pause();
            }
            double norm = 0.0;
            for (double component : x) norm = std::max(norm, std::fabs(component - 1.0));
            s.results.push_back(norm);
            s.record(" norma(" + fixed(decimal_form(n), 4, 1) + ")");
            s.record(exponent(decimal_form(norm), 15, 7));
            s.pause();
        }
    }
    return s;
}

} // namespace reference
