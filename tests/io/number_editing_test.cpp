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

struct Example {
    double x;
    const char* e13_6;
    const char* f20_16; // nullptr: twenty asterisks
    const char* e15_7;
    const char* free;
};

const Example kExamples[] = {
    {1.0, "  .100000E+01", "  1.0000000000000000", "   .1000000E+01", "       1.000000000000000"},
    {-0.5, " -.500000E+00", "  -.5000000000000000", "  -.5000000E+00", " -5.000000000000000E-001"},
    {0.0, "  .000000E+00", "   .0000000000000000", "   .0000000E+00", "  0.000000000000000E+000"},
    {123.456, "  .123456E+03", "123.4560000000000000", "   .1234560E+03",
     "     123.456000000000000"},
    {1.0E-13, "  .100000E-12", "   .0000000000001000", "   .1000000E-12",
     "  1.000000000000000E-013"},
    {2.0 / 3.0, "  .666667E+00", "   .6666666666666666", "   .6666667E+00",
     "  6.666666666666666E-001"},
    {12345.678, "  .123457E+05", nullptr, "   .1234568E+05", "   12345.678000000000000"},
    {-2.5E+100, " -.250000+101", nullptr, "  -.2500000+101", " -2.500000000000000E+100"},
    {9.96, "  .996000E+01", "  9.9600000000000010", "   .9960000E+01", "       9.960000000000001"},
    {-0.04, " -.400000E-01", "  -.0400000000000000", "  -.4000000E-01", " -4.000000000000000E-002"},
    // A negative zero is shown like zero.
    {-0.0, "  .000000E+00", "   .0000000000000000", "   .0000000E+00", "  0.000000000000000E+000"},
};

TEST(NumberEditing, WorkedExamplesInEveryField) {
    for (const Example& c : kExamples) {
        SCOPED_TRACE(c.x);
        EXPECT_EQ(edit_exponent(c.x, 13, 6), c.e13_6);
        EXPECT_EQ(edit_fixed(c.x, 20, 16), c.f20_16 ? c.f20_16 : std::string(20, '*'));
        EXPECT_EQ(edit_exponent(c.x, 15, 7), c.e15_7);
        EXPECT_EQ(edit_free(c.x), c.free);
    }
}

struct FieldCase {
    char form; // 'F', 'E' or 'L' (the free form)
    int w, d;
    double x;
    std::string expected;
};

std::string edit(const FieldCase& c) {
    switch (c.form) {
    case 'F':
        return edit_fixed(c.x, c.w, c.d);
    case 'E':
        return edit_exponent(c.x, c.w, c.d);
    default:
        return edit_free(c.x);
    }
}

TEST(NumberEditing, EdgeCasesOfTheRules) {
    const FieldCase cases[] = {
        // No leading zero, 16 significant digits at most, no minus on a shown zero.
        {'F', 20, 16, 0.5, "   .5000000000000000"},
        {'F', 20, 16, 1.0000000000000002, "  1.0000000000000000"},
        {'F', 20, 16, 0.9999999999999998, "   .9999999999999998"},
        {'F', 20, 16, -1.0E-20, "   .0000000000000000"},
        {'F', 4, 1, -0.04, "  .0"},
        {'F', 4, 1, -0.0, "  .0"},
        {'F', 4, 1, -0.06, " -.1"},
        // Carries that add a digit before the point.
        {'F', 4, 1, 0.96, " 1.0"},
        {'F', 4, 1, 9.96, "10.0"},
        {'F', 4, 1, 99.96, "****"},
        {'F', 10, 3, 0.0096, "      .010"},
        {'E', 13, 6, 9.9999996, "  .100000E+02"},
        {'E', 13, 6, 0.99999996E-99, "  .100000E-98"},
        {'E', 13, 6, 9.9999996E+99, "  .100000+101"},
        // The orders of the norm records.
        {'F', 4, 1, 10.0, "10.0"},
        {'F', 4, 1, 50.0, "50.0"},
        // F w.0 shows a lone 0 only when nothing stands before the point.
        {'F', 8, 0, 0.4, "      0."},
        {'F', 8, 0, -0.4, "      0."},
        {'F', 8, 0, 0.001, "      0."},
        {'F', 8, 0, 0.5, "      1."},
        {'F', 8, 0, -2.5, "     -3."},
        // Field overflow at both ends of F 20.16.
        {'F', 20, 16, 999.9999999999999, "999.9999999999999000"},
        {'F', 20, 16, -99.99999999999999, "-99.9999999999999900"},
        {'F', 20, 16, 1000.0, std::string(20, '*')},
        {'F', 20, 16, -100.0, std::string(20, '*')},
        {'F', 8, 0, 9999999.0, "9999999."},
        {'F', 8, 0, 10000000.0, "********"},
        {'F', 0, 0, 0.0, ""},
        // Exponent fields: the letter goes at magnitude 100, narrow fields overflow.
        {'E', 13, 6, 1.0E+100, "  .100000+101"},
        {'E', 13, 6, 1.0E-100, "  .100000E-99"},
        {'E', 13, 6, 1.0E-101, "  .100000-100"},
        {'E', 8, 2, -1.0E+100, "-.10+101"},
        {'E', 7, 2, -1.0E+100, "*******"},
        {'E', 30, 20, 2.0 / 3.0, "     .66666666666666660000E+00"},
        {'E', 6, 0, -0.6, "-.E+00"},
        // The free form picks its notation by the exponent before rounding.
        {'L', 0, 0, 1234567.0, " 1234567.000000000000000"},
        {'L', 0, 0, -1234567.0, "-1234567.000000000000000"},
        {'L', 0, 0, 12345678.0, "  1.234567800000000E+007"},
        {'L', 0, 0, 0.9999999999999998, "  9.999999999999998E-001"},
        {'L', 0, 0, 1.0E+100, "  1.000000000000000E+100"},
    };
    for (const FieldCase& c : cases) {
        SCOPED_TRACE(std::string(1, c.form) + std::to_string(c.w) + "." + std::to_string(c.d));
        SCOPED_TRACE(c.x);
        EXPECT_EQ(edit(c), c.expected);
    }
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
        for (int w : {0, 1, 2, 3, 4, 5, 6, 7, 13, 15, 20}) {
            SCOPED_TRACE(s.text + " in width " + std::to_string(w));
            std::string expected = filled.substr(0, static_cast<std::size_t>(w));
            EXPECT_EQ(edit_fixed(x, w, 1), expected);
            EXPECT_EQ(edit_exponent(x, w, 1), expected);
        }
        EXPECT_EQ(edit_free(x), "  " + filled.substr(0, 22));
    }
}

TEST(NumberEditing, FixedRenderingOf260DigitPlacesOverflows) {
    // 2^805 = 2133764618521553|3677... x 10^226 needs 243 places before the point and 16 after:
    // 259, which a wide field shows; 2^808 needs 260.
    std::string shown = edit_fixed(std::ldexp(1.0, 805), 300, 16);
    EXPECT_EQ(shown.substr(0, 56), std::string(40, ' ') + "2133764618521553");
    EXPECT_EQ(shown.substr(56), std::string(227, '0') + "." + std::string(16, '0'));
    EXPECT_EQ(edit_fixed(std::ldexp(1.0, 808), 300, 16), std::string(300, '*'));
    EXPECT_EQ(edit_fixed(0.5, 300, 259).substr(40), "." + std::string(259, '0').replace(0, 1, "5"));
    EXPECT_EQ(edit_fixed(0.5, 300, 260), std::string(300, '*'));
}

} // namespace
