#pragma once
// The runs' arithmetic as the rules state it, computed independently of the program: the test
// matrices and the right-hand side with MPFR's correctly rounded power (a power rounded once to
// 64 bits, then stored to double or entering one operation that rounds once to double), and
// Crout's factorisation and the substitutions as the textbook writes them. Column-major n x n.

#include <bit>
#include <cmath>
#include <cstddef>
#include <vector>

#include <mpfr.h>

namespace reference {

// op(1, base^k) rounded once to double, base^k rounded once to 64 bits first; op is mpfr_set
// when the power is stored (1 ignored), else e.g. mpfr_ui_sub.
inline double with_power(int base, long k,
                         int (*op)(mpfr_ptr, unsigned long, mpfr_srcptr, mpfr_rnd_t) = nullptr) {
    mpfr_t b, power, result;
    mpfr_inits2(64, b, power, static_cast<mpfr_ptr>(nullptr));
    mpfr_init2(result, 53);
    mpfr_set_ui(b, static_cast<unsigned long>(base), MPFR_RNDN);
    mpfr_pow_si(power, b, k, MPFR_RNDN);
    if (op) op(result, 1, power, MPFR_RNDN);
    if (!op) mpfr_set(result, power, MPFR_RNDN);
    const double value = mpfr_get_d(result, MPFR_RNDN);
    mpfr_clears(b, power, result, static_cast<mpfr_ptr>(nullptr));
    return value;
}

// Entry (i, j) of the test matrix of order n: 3^-(j-i) above the diagonal, 4^-(i-j) below it,
// 1/i on it; kind 2's corner is the single-precision 1.0001 over n.
inline double matrix_entry(int i, int j, int n, int kind) {
    if (j > i) return with_power(3, i - j);
    if (j < i) return std::ldexp(1.0, 2 * (j - i));
    if (kind == 2 && i == n) return std::bit_cast<double>(0x3FF00068E0000000u) / n;
    return 1.0 / i;
}

inline std::vector<double> test_matrix(int n, int kind) {
    std::vector<double> a;
    for (int j = 1; j <= n; ++j)
        for (int i = 1; i <= n; ++i) a.push_back(matrix_entry(i, j, n, kind));
    return a;
}

// The row sums of the kind-1 matrix in closed form: 1/i, (1 - 3^(i-n)) / 2 above the diagonal,
// (1 - 4^(1-i)) / 3 below it, each 1 - power rounded once; row 1 as one product.
inline std::vector<double> right_hand_side(int n) {
    std::vector<double> b(static_cast<std::size_t>(n));
    b[0] = with_power(3, -n, mpfr_ui_sub) * 1.5;
    for (int i = 2; i < n; ++i)
        b[static_cast<std::size_t>(i - 1)] =
            (with_power(3, i - n, mpfr_ui_sub) / 2.0 + with_power(4, 1 - i, mpfr_ui_sub) / 3.0) +
            1.0 / i;
    b[static_cast<std::size_t>(n - 1)] = with_power(4, 1 - n, mpfr_ui_sub) / 3.0 + 1.0 / n;
    return b;
}

// Crout's method in place: each element receives its terms in increasing order of the
// summation index, each product rounded before its subtraction.
inline void textbook_factor(int n, std::vector<double>& m) {
    auto a = [&](int i, int j) -> double& { return m[std::size_t(i - 1 + (j - 1) * n)]; };
    for (int j = 2; j <= n; ++j) a(1, j) = a(1, j) / a(1, 1);
    for (int k = 2; k <= n - 1; ++k) {
        for (int i = k; i <= n; ++i)
            for (int l = 1; l < k; ++l) a(i, k) = a(i, k) - a(i, l) * a(l, k);
        for (int j = k + 1; j <= n; ++j) {
            for (int l = 1; l < k; ++l) a(k, j) = a(k, j) - a(k, l) * a(l, j);
            a(k, j) = a(k, j) / a(k, k);
        }
    }
    for (int l = 1; l < n; ++l) a(n, n) = a(n, n) - a(n, l) * a(l, n);
}

// The forward substitution with L, then the back substitution with U, in the same way.
inline void textbook_solve(int n, const std::vector<double>& m, std::vector<double>& b) {
    auto a = [&](int i, int j) { return m[std::size_t(i - 1 + (j - 1) * n)]; };
    auto x = [&](int i) -> double& { return b[std::size_t(i - 1)]; };
    for (int i = 1; i <= n; ++i) {
        for (int l = 1; l < i; ++l) x(i) = x(i) - a(i, l) * x(l);
        x(i) = x(i) / a(i, i);
    }
    for (int i = n - 1; i >= 1; --i)
        for (int l = i + 1; l <= n; ++l) x(i) = x(i) - a(i, l) * x(l);
}

} // namespace reference
