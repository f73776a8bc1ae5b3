#pragma once
// The classes of arguments that the power is held against MPFR on: by the tests on a sample,
// and by bench/power_check on as many pairs as it is asked for.

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <functional>
#include <random>
#include <utility>
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
    auto between = [&](std::int64_t low, std::int64_t high) {
        return low + static_cast<std::int64_t>(bits() % static_cast<std::uint64_t>(high - low + 1));
    };
    auto sign = [&] { return bits() % 2 != 0 ? -1.0 : 1.0; };
    auto scaled = [&](double m, int scale) { return sign() * std::ldexp(m, scale); };
    // An odd m of up to `width` bits (at least 3).
    auto odd = [&](int width) { return std::max<std::uint64_t>(bits() >> (64 - width) | 1, 3); };
    return {
        {"bases 3 and 4, exponents -1100 to 1100",
         [](long i) { return std::pair(i % 2 != 0 ? 3.0 : 4.0, double(i / 2 % 2201 - 1100)); }},
        {"1 +- k 2^-52, exponents to 2^50, some to 2^70 and beyond 2^64",
         [=](long i) mutable {
             double x = 1.0 + sign() * std::ldexp(double(between(1, 1 << 20)), -52);
             double magnitude = std::exp2(double(between(0, 50 << 10)) / 1024.0);
             if (i % 16 == 0) magnitude = std::exp2(double(between(53 << 10, 70 << 10)) / 1024.0);
             if (i % 64 == 1) x = i % 128 == 1 ? 1.0 : x; // |x| = 1 beyond 2^64 too
             return std::pair(sign() * x, sign() * std::floor(magnitude));
         }},
        {"random doubles, exponents -5000 to 5000",
         [=](long) mutable {
             double x = 0.0;
             while (!std::isfinite(x) || x == 0.0) x = runtime::bit_cast<double>(bits());
             return std::pair(x, double(between(-5000, 5000)));
         }},
        {"random results inside the range",
         [=](long) mutable {
             double x =
                 std::ldexp(1.0 + std::ldexp(double(bits() >> 11), -53), int(between(-4, 3)));
             return std::pair(sign() * x, double(between(-250, 250)));
         }},
        {"negative bases, odd and even exponents",
         [=](long i) mutable {
             double x =
                 -std::ldexp(1.0 + std::ldexp(double(bits() >> 11), -53), int(between(-2, 1)));
             return std::pair(x, double(2 * between(-550, 550) + i % 2));
         }},
        {"exact results: odd m with m^n < 2^64",
         [=](long) mutable {
             std::uint64_t m = odd(int(between(2, 32)));
             std::int64_t n = between(1, 64 / static_cast<std::int64_t>(std::bit_width(m)));
             return std::pair(scaled(double(m), int(between(-1074 / n, 960 / n))), double(n));
         }},
        {"exact midpoints: odd m with m^n in [2^64, 2^65)",
         [=](long) mutable {
             for (;;) { // an odd m whose powers reach 65 bits exactly
                 std::uint64_t m = odd(int(between(2, 33)));
                 runtime::u128 power = m;
                 std::int64_t n = 1;
                 while (std::bit_width(static_cast<std::uint64_t>(power >> 64)) == 0) {
                     power *= m;
                     ++n;
                 }
                 if (power >> 65 != 0) continue;
                 return std::pair(scaled(double(m), int(between(-1000 / n, 900 / n))), double(n));
             }
         }},
        {"results next to overflow, underflow and the least subnormal",
         [=](long i) mutable { // within 4 binades of the edge, or a few units of x's last place
             const double edges[] = {1024.0, -1022.0, -1074.0};
             double y = double(between(2, 1100));
             double target = edges[i % 3];
             if (i % 2 != 0) target += std::ldexp(double(between(-64, 64)), -4);
             auto x = runtime::bit_cast<std::uint64_t>(std::exp2(target / y)) +
                      static_cast<std::uint64_t>(between(-8, 8));
             return std::pair(sign() * runtime::bit_cast<double>(x), sign() * y);
         }},
    };
}

} // namespace testsupport
