#pragma once
// The classes of arguments that the power is held against MPFR on: by the tests on a sample,
// and by bench/power_check on as many pairs as it is asked for.

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <functional>
#include <random>
#include <vector>

#include "runtime/bit_cast.hpp"
#include "runtime/uint128.hpp"

namespace testsupport {

struct Family {
    const char* name;
    std::function<std::pair<double, double>(long)> pair;
};

// The classes of arguments, each pair drawn from bits in turn.
inline std::vector<Family> families(std::mt19937_64& bits) {
    // Each helper holds bits by reference, the others by value: the families outlive this call.
    auto between = [&bits](std::int64_t low, std::int64_t high) {
        return low + std::int64_t(bits() % std::uint64_t(high - low + 1));
    };
    auto sign = [&bits] { return bits() % 2 != 0 ? -1.0 : 1.0; };
    auto scaled = [sign](double m, std::int64_t e) { return sign() * std::ldexp(m, int(e)); };
    auto significand = [&bits] { return 1.0 + std::ldexp(double(bits() >> 11), -53); }; // in [1, 2)
    // An odd number of up to w bits (at least 3).
    auto odd = [&bits](int w) { return std::max<std::uint64_t>(bits() >> (64 - w) | 1, 3); };
    return {
        {"bases 3 and 4, exponents -1100 to 1100",
         [](long i) { return std::pair(i % 2 != 0 ? 3.0 : 4.0, double(i / 2 % 2201 - 1100)); }},
        {"1 +- k 2^-52, exponents to 2^50, some to 2^70 and beyond 2^64",
         [=](long i) mutable {
             const bool huge = i % 16 == 0, one = i % 64 == 0; // |x| = 1 beyond 2^53 too
             const double x =
                 one ? 1.0 : 1.0 + sign() * std::ldexp(double(between(1, 1 << 20)), -52);
             const double y = std::exp2(
                 double(huge ? between(53 << 10, 70 << 10) : between(0, 50 << 10)) / 1024.0);
             return std::pair(sign() * x, sign() * std::floor(y));
         }},
        {"random doubles, exponents -5000 to 5000",
         [=](long) mutable {
             double x = 0.0;
             while (!std::isfinite(x) || x == 0.0) x = runtime::bit_cast<double>(bits());
             return std::pair(x, double(between(-5000, 5000)));
         }},
        {"bases of either sign in [1/4, 4), odd and even exponents, in range",
         [=](long i) mutable {
             return std::pair(scaled(significand(), between(-2, 1)),
                              double(2 * between(-250, 250) + i % 2));
         }},
        {"exact results: odd m with m^n < 2^64",
         [=](long) mutable {
             const std::uint64_t m = odd(int(between(2, 32)));
             const std::int64_t n = between(1, 64 / std::int64_t(std::bit_width(m)));
             return std::pair(scaled(double(m), between(-1074 / n, 960 / n)), double(n));
         }},
        {"exact midpoints: odd m with m^n in [2^64, 2^65)",
         [=](long) mutable {
             for (;;) { // an odd m whose powers reach 65 bits exactly
                 const std::uint64_t m = odd(int(between(2, 33)));
                 runtime::u128 power = m;
                 std::int64_t n = 1;
                 for (; power >> 64 == 0; ++n) power *= m;
                 if (power >> 65 == 0)
                     return std::pair(scaled(double(m), between(-1000 / n, 900 / n)), double(n));
             }
         }},
        {"results next to overflow, underflow and the least subnormal",
         [=](long i) mutable { // within 4 binades of the edge, or a few units of x's last place
             const double edges[] = {1024.0, -1022.0, -1074.0}, y = double(between(2, 1100));
             const double target =
                 edges[i % 3] + (i % 2 != 0 ? std::ldexp(double(between(-64, 64)), -4) : 0.0);
             const auto x = runtime::bit_cast<std::uint64_t>(std::exp2(target / y)) +
                            std::uint64_t(between(-8, 8));
             return std::pair(sign() * runtime::bit_cast<double>(x), sign() * y);
         }},
    };
}

} // namespace testsupport
