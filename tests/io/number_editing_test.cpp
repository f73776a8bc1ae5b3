// Fields of single numbers: the worked examples, overflow, negative zero and special values.

#include "io/number_editing.hpp"

#include <bit>
#include <cmath>
#include <cstdint>
#include <string>

#include <gtest/gtest.h>

namespace {

using io::edit_exponent;
using io::edit_fixed;
using io::edit_free;

TEST(NumberEditing, WorkedExamplesInEveryField) {
    const std::string stars(20, '*');
    const struct {
        double x;
        std::string e13_6, f20_16, e15_7, free;
    } examples[] = {
        {1.0, "  .100000E+01", "  1.0000000000000000", "   .1000000E+01",
         "       1.000000000000000"},
        {-0.5, " -.500000E+00", "  -.5000000000000000", "  -.5000000E+00",
         " -5.000000000000000E-001"},
        {0.0, "  .000000E+00", "   .0000000000000000", "   .0000000E+00",
         "  0.000000000000000E+000"},
        {-0.0, "  .000000E+00", "   .0000000000000000", "   .0000000E+00",
         "  0.000000000000000E+000"},
        {123.456, "  .123456E+03", "123.4560000000000000", "   .1234560E+03",
         "     123.456000000000000"},
        {1.0E-13, "  .100000E-12", "   .0000000000001000", "   .1000000E-12",
         "  1.000000000000000E-013"},
        {2.0 / 3, "  .666667E+00", "   .6666666666666666", "   .6666667E+00",
         "  6.666666666666666E-001"},
        {12345.678, "  .123457E+05", stars, "   .1234568E+05", "   12345.678000000000000"},
        {-2.5E+100, " -.250000+101", stars, "  -.2500000+101", " -2.500000000000000E+100"},
        {9.96, "  .996000E+01", "  9.9600000000000010", "   .9960000E+01",
         "       9.960000000000001"},
        {-0.04, " -.400000E-01", "  -.0400000000000000", "  -.4000000E-01",
         " -4.000000000000000E-002"},
    };
    for (const auto& c : examples) {
        EXPECT_EQ(edit_exponent(c.x, 13, 6), c.e13_6) << c.x;
        EXPECT_EQ(edit_fixed(c.x, 20, 16), c.f20_16) << c.x;
        EXPECT_EQ(edit_exponent(c.x, 15, 7), c.e15_7) << c.x;
        EXPECT_EQ(edit_free(c.x), c.free) << c.x;
    }
}

TEST(NumberEditing, EdgeCasesAndOverflowAtBothEnds) {
    const struct {
        std::string actual, expected;
    } cases[] = {
        {edit_fixed(0.5, 20, 16), "   .5000000000000000"},
        {edit_fixed(1.0000000000000002, 20, 16), "  1.0000000000000000"},
        {edit_fixed(0.9999999999999998, 20, 16), "   .9999999999999998"},
        {edit_fixed(-1.0E-20, 20, 16), "   .0000000000000000"},
        {edit_fixed(999.9999999999999, 20, 16), "999.9999999999999000"},
        {edit_fixed(1000.0, 20, 16), std::string(20, '*')},
        {edit_fixed(-100.0, 20, 16), std::string(20, '*')},
        {edit_fixed(-0.04, 4, 1), "  .0"},
        {edit_fixed(0.96, 4, 1), " 1.0"},
        {edit_fixed(9.96, 4, 1), "10.0"},
        {edit_exponent(1.0E+100, 13, 6), "  .100000+101"},
        {edit_exponent(1.0E-100, 13, 6), "  .100000E-99"},
        {edit_exponent(-1.0E+100, 7, 2), "*******"},
        {edit_free(1234567.0), " 1234567.000000000000000"},
        {edit_free(12345678.0), "  1.234567800000000E+007"},
        {edit_free(0.9999999999999998), "  9.999999999999998E-001"},
        // 2^805 = 2133764618521553|3677... x 10^226: 243 places before the point and 16 after
        // fit a wide field; 2^808 needs 260 places, an overflow.
        {edit_fixed(std::ldexp(1.0, 805), 300, 16).substr(40, 20), "21337646185215530000"},
        {edit_fixed(std::ldexp(1.0, 808), 300, 16), std::string(300, '*')},
    };
    for (const auto& c : cases) EXPECT_EQ(c.actual, c.expected);
}

TEST(NumberEditing, SpecialValuesFillOrCutEveryWidth) {
    const struct {
        std::uint64_t bits;
        std::string text;
    } specials[] = {
        {0x7ff0000000000000, "1#INF"},  {0xfff0000000000000, "1#INF"},
        {0x7ff8000000000000, "1#QNAN"}, {0xfff8000000000001, "1#QNAN"},
        {0x7ff0000000000001, "1#SNAN"}, {0xfff4000000000000, "1#SNAN"},
        {0xfff8000000000000, "1#IND"},
    };
    for (const auto& s : specials) {
        double x = std::bit_cast<double>(s.bits);
        std::string filled = s.text + std::string(30, '.');
        for (int w = 0; w <= 20; ++w) {
            EXPECT_EQ(edit_fixed(x, w, 1), filled.substr(0, w)) << s.text << w;
            EXPECT_EQ(edit_exponent(x, w, 7), filled.substr(0, w)) << s.text << w;
        }
        EXPECT_EQ(edit_free(x), "  " + filled.substr(0, 22));
    }
}

} // namespace
