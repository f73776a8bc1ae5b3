// Number editing: the worked examples of every field, then every field of many doubles against
// the exact reference (number_editing_reference.hpp); the exact decimal conversions under it
// against the C library, which is exact on the build machine.

#include "io/format/number_editing.hpp"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "io/format/exact_decimal.hpp"
#include "runtime/bit_cast.hpp"
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

// The first 18 digits against the exact expansion, and fixed notation against printf, of doubles
// of every binade, and of odd multiples of 2^-k: the ties of fixed notation with k - 1 places.
TEST(ExactDecimal, LeadingDigitsAndFixedNotationOfEveryKindOfDouble) {
    std::mt19937_64 random(7);
    std::vector<double> values = {0x1p-1074, 0x1.fffffffffffffp+1023, 0.25, -0.0};
    for (int i = 0; i < 4000; ++i) {
        const double x = runtime::bit_cast<double>(random());
        values.insert(values.end(), {std::isfinite(x) ? x : 1.0,
                                     std::ldexp(static_cast<double>(random() % 999 | 1),
                                                -static_cast<int>(random() % 5))});
    }
    const std::vector<double> kinds = test_values();
    for (std::size_t i = 0; i < kinds.size(); i += 16) values.push_back(kinds[i]);
    char text[400];
    for (double x : values) {
        std::string actual, expected;
        for (int places : {0, 1, 3}) {
            std::snprintf(text, sizeof text, "%.*f|", places, x);
            actual += io::fixed_notation(x, places) + "|", expected += text;
        }
        if (x != 0) {
            const reference::Decimal exact = reference::exact_decimal(x);
            const io::LeadingDigits leading = io::leading_digits(x, 18);
            actual += std::to_string(leading.digits) + "E" + std::to_string(leading.exponent);
            expected +=
                (exact.digits + std::string(17, '0')).substr(0, 18) + "E" + std::to_string(exact.p);
        }
        ASSERT_EQ(actual, expected) << std::hexfloat << x;
    }
}

// Decimal numbers of the report's forms (".3108624E-14", "-0.12345678901234567E+01", "1.5")
// from beyond the largest double to below the smallest, some garbled, and the midpoints between
// doubles (exact, or cut after 15 to 34 digits): accepted exactly when from_chars accepts the
// whole text, and then the double strtod gives.
TEST(ExactDecimal, ParseAcceptsAsFromCharsAndRoundsAsStrtod) {
    std::mt19937_64 random(11);
    auto below = [&](std::size_t n) { return static_cast<std::size_t>(random() % n); };
    for (int i = 0; i < 20000; ++i) {
        std::string s = below(2) ? "-" : "";
        const std::size_t digits = 1 + below(24), point = below(digits + 2); // past the end: none
        for (std::size_t k = 0; k < digits; ++k)
            s += (k == point ? "." : "") + std::string(1, static_cast<char>('0' + below(10)));
        if (below(4))
            s += std::string(1, "eE"[below(2)]) + std::array{"", "+", "-"}[below(3)] +
                 std::to_string(below(360));
        if (i % 4 == 0) { // a midpoint between two doubles, or a little off it
            const double x = runtime::bit_cast<double>(random() % 0x7fe0000000000000);
            char text[800];
            std::snprintf(text, sizeof text, "%.*Le",
                          static_cast<int>(below(2) ? 15 + below(20) : 780),
                          (static_cast<long double>(x) + std::nextafter(x, HUGE_VAL)) / 2);
            s = text;
        }
        if (below(8) == 0) s.insert(below(s.size() + 1), 1, ".-+eE5x "[below(8)]);
        double ignored = 0;
        const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), ignored);
        const bool accepted = error == std::errc{} && end == s.data() + s.size();
        const std::optional<double> parsed = io::parse_decimal(s);
        auto bits = [](double x) { return runtime::bit_cast<std::uint64_t>(x); };
        ASSERT_EQ(parsed ? bits(*parsed) : ~0ULL,
                  accepted ? bits(std::strtod(s.c_str(), nullptr)) : ~0ULL) // ~0: refused
            << s;
    }
}
