#pragma once
// Exact references for the arithmetic tests: positive rationals held as GMP integers and
// rounded by hand to nearest, ties to even.

#include <cstdint>
#include <gmpxx.h>
#include <utility>

#include "runtime/extended.hpp"

namespace testsupport {

inline long bit_length(const mpz_class& n) {
    return static_cast<long>(mpz_sizeinbase(n.get_mpz_t(), 2));
}

inline mpz_class exact_power(unsigned long base, unsigned long k) {
    mpz_class p;
    mpz_ui_pow_ui(p.get_mpz_t(), base, k);
    return p;
}

// num/den (both positive) rounded to `bits` significant bits, but never to a finer grid than
// 2^least_exponent: {m, e} with value m * 2^e.
struct Rounded {
    mpz_class m;
    long e;
};
inline Rounded round_exact(const mpz_class& num, const mpz_class& den, long bits,
                           long least_exponent) {
    auto shift = [](long by) { return static_cast<mp_bitcnt_t>(by); };
    auto quotient_scaled = [&](long e) { // num/den * 2^-e as a fraction
        return e >= 0 ? std::pair{num, mpz_class(den << shift(e))}
                      : std::pair{mpz_class(num << shift(-e)), den};
    };
    long e = bit_length(num) - bit_length(den) - bits;
    if (auto [n, d] = quotient_scaled(e); n >= (d << shift(bits))) ++e;
    if (e < least_exponent) e = least_exponent;
    auto [n, d] = quotient_scaled(e);
    mpz_class q, r;
    mpz_fdiv_qr(q.get_mpz_t(), r.get_mpz_t(), n.get_mpz_t(), d.get_mpz_t());
    int half = cmp(mpz_class(r * 2), d);
    if (half > 0 || (half == 0 && mpz_odd_p(q.get_mpz_t()))) ++q;
    if (bit_length(q) > bits) { // carried to 2^bits
        q >>= 1;
        ++e;
    }
    return {q, e};
}

// num/den rounded to a 64-bit significand.
inline runtime::Extended exact_extended(const mpz_class& num, const mpz_class& den) {
    Rounded r = round_exact(num, den, 64, -100000);
    return runtime::Extended::finite(false, r.m.get_ui(), r.e);
}

// The bits of num/den rounded to double, subnormals included (no overflow).
inline std::uint64_t exact_double_bits(const mpz_class& num, const mpz_class& den) {
    Rounded r = round_exact(num, den, 53, -1074);
    std::uint64_t m = r.m.get_ui();
    if (m < (std::uint64_t{1} << 52)) return m; // subnormal: e is -1074
    return (static_cast<std::uint64_t>(r.e + 1075) << 52) | (m - (std::uint64_t{1} << 52));
}

// An Extended (finite, positive) as a fraction.
inline std::pair<mpz_class, mpz_class> exact_fraction(const runtime::Extended& x) {
    mpz_class m(static_cast<unsigned long>(x.significand()));
    auto shift = static_cast<mp_bitcnt_t>(x.exponent() >= 0 ? x.exponent() : -x.exponent());
    if (x.exponent() >= 0) return {mpz_class(m << shift), mpz_class(1)};
    return {m, mpz_class(mpz_class(1) << shift)};
}

} // namespace testsupport
