// Number editing: the worked examples of every field, then every field of many doubles against
// the exact reference (number_editing_reference.hpp).

#include "io/format/number_editing.hpp"

#include <cmath>
#include <cstdlib>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "tests/io/number_editing_reference.hpp"

TEST(NumberEditing, WorkedExamplesInEveryField) {
    const std::string stars(20, '*');
    // E13.6, F20.16, E15.7 and the free form.
    const std::pair<double, std::string> examples[] = {
        // clang-format off
        {1.0, "  .100000E+01|  1.0000000000000000|   .1000000E+01|       1.000000000000000"},
        {-0.5, " -.500000E+00|  -.5000000000000000|  -.5000000E+00| -5.000000000000000E-001"},
        {-0.0, "  .000000E+00|   .0000000000000000|   .0000000E+00|  0.000000000000000E+000"},
        {2.0 / 3, "  .666667E+00|   .6666666666666666|   .6666667E+00|  6.666666666666666E-001"},
        {12345.678, "  .123457E+05|" + stars + "|   .1234568E+05|   12345.678000000000000"},
        {-2.5E+100, " -.250000+101|" + stars + "|  -.2500000+101| -2.500000000000000E+100"},
        {9.96, "  .996000E+01|  9.9600000000000010|   .9960000E+01|       9.960000000000001"},
        // clang-format on
    };
    for (const auto& [x, shown] : examples)
        EXPECT_EQ(io::edit_exponent(x, 13, 6) + "|" + io::edit_fixed(x, 20, 16) + "|" +
                      io::edit_exponent(x, 15, 7) + "|" + io::edit_free(x),
                  shown);
}

// Doubles of every kind the rules of number_editing.hpp care about, from a fixed seed.
static std::vector<double> test_values() {
    std::mt19937_64 random(20240611);
    auto below = [&](std::uint64_t n) { return static_cast<int>(random() % n); };
    auto sign = [&] { return below(2) ? -1.0 : 1.0; };
    // A signed decimal: lead, random digits, tail, and a random exponent in +-range/2.
    auto decimal = [&](std::string lead, int digits, const std::string& tail, int range) {
        for (int i = 0; i < digits; ++i) lead += static_cast<char>('0' + below(10));
        lead += tail + "e" + std::to_string(below(static_cast<std::uint64_t>(range)) - range / 2);
        return sign() * std::strtod(lead.c_str(), nullptr);
    };
    std::vector<double> v;
    for (int i = 0; i < 3000; ++i) // subnormals and zeros (the fuzz target takes any pattern)
        v.push_back(sign() * std::ldexp(static_cast<double>(random() >> below(64)), -1074));
    for (int i = 0; i < 15000; ++i) v.push_back(decimal("0.", 17, "", 30)); // the program's range
    for (int i = 0; i < 10000; ++i) { // halfway between n-digit numbers, and the doubles below
        double x = decimal("0." + std::to_string(1 + below(9)), below(16), "5", 600);
        for (int k = 0; k < 4; ++k, x = std::nextafter(x, 0.0)) v.push_back(x);
    }
    for (int i = 0; i < 3000; ++i) { // exact ties: odd m * 2^-k whose m * 5^k has 18 digits
        const int k = 2 + below(24);
        const double lo = std::ceil(1e17 / std::pow(5.0, k)),
                     hi = std::min(1e18 / std::pow(5.0, k), 0x1p53);
        auto m = static_cast<std::uint64_t>(lo + std::floor((hi - lo) * (below(1 << 30) / 0x1p30)));
        v.push_back(sign() * std::ldexp(static_cast<double>(m | 1), -k));
    }
    for (int i = 0; i < 10000; ++i) { // runs of nines that carry into a new digit
        const double x = decimal(
            "0." + std::string(std::size_t(1 + below(17)), '9') + char('5' + below(5)), 3, "", 616);
        v.insert(v.end(), {x, std::nextafter(x, 0.0)});
    }
    return v;
}

TEST(NumberEditing, EveryFieldMatchesTheExactReference) {
    const std::tuple<char, int, int> fields[] = {{'F', 20, 16}, {'F', 4, 1},   {'E', 13, 6},
                                                 {'E', 15, 7},  {'L', 24, 15}, {'F', 10, 3},
                                                 {'F', 8, 0},   {'E', 9, 2},   {'E', 30, 20}};
    int failures = 0;
    for (double x : test_values()) {
        const reference::Decimal form = reference::decimal_form(x);
        for (const auto& [field, w, d] : fields) {
            const std::string expected = field == 'F'   ? reference::fixed(form, w, d)
                                         : field == 'E' ? reference::exponent(form, w, d)
                                                        : reference::free_form(form);
            const std::string actual = field == 'F'   ? io::edit_fixed(x, w, d)
                                       : field == 'E' ? io::edit_exponent(x, w, d)
                                                      : io::edit_free(x);
            if (actual != expected && ++failures <= 20)
                ADD_FAILURE() << std::hexfloat << x << " in " << field << w << '.' << d << ": |"
                              << actual << "| not |" << expected << "|";
        }
    }
    EXPECT_EQ(failures, 0);
}
