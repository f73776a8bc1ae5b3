// The conversion of an option's characters to an integer: signs, decimal limits, based integers
// read as 32 unsigned bits, and the faults.

#include "io/integer_conversion.hpp"

#include <gtest/gtest.h>

#include "io/read_fault.hpp"

namespace {

using namespace std::string_literals;

// The value, or "F" and the displayed fault number.
std::string convert(const std::string& text) {
    try {
        return std::to_string(io::FF_strtol(text));
    } catch (const io::ReadFault& fault) {
        return "F" + std::to_string(runtime::displayed_number(fault.code));
    }
}

TEST(IntegerConversion, EveryRule) {
    // clang-format off
    const std::pair<std::string, std::string> cases[] = {
        // Signs and decimal limits.
        {"0", "0"}, {"+7", "7"}, {"-7", "-7"}, {"007", "7"}, {"2147483647", "2147483647"},
        {"-2147483647", "-2147483647"}, {"2147483648", "F6100"}, {"-2147483648", "F6100"},
        {"2147483650", "F6100"}, {"21474836470", "F6100"},
        // No digits at all.
        {"", "0"}, {"+", "0"}, {"-", "0"}, {"#", "0"}, {"-#", "0"}, {"16#", "0"},
        // Characters that cannot stand in a decimal integer; a NUL byte does not end it.
        {"2.5", "F6101"}, {"2e0", "F6101"}, {"3x", "F6101"}, {"+-2", "F6101"},
        {"1 2", "F6101"}, {"1\0"s, "F6101"}, {"1\0002"s, "F6101"},
        // Based integers, bases 2 to 36, digits in either case; no base or base 0 is 16.
        {"2#101", "5"}, {"8#777", "511"}, {"16#1f", "31"}, {"#ff", "255"}, {"0#10", "16"},
        {"36#zZ", "1295"}, {"-16#F", "-15"}, {"10#2147483647", "2147483647"},
        {"10#2147483648", "F6100"},
        // Other bases read 32 unsigned bits, taken as a signed integer.
        {"16#FFFFFFFF", "-1"}, {"16#80000000", "-2147483648"}, {"-16#80000000", "-2147483648"},
        {"-#FFFFFFFF", "1"}, {"2#" + std::string(32, '1'), "-1"}, {"16#FFFFFFFF0", "F6100"},
        {"2#1" + std::string(32, '0'), "F6100"}, {"36#1z141z3", "-1"}, {"36#1z141z4", "F6100"},
        {"3#102002022201221111210", "-1"}, {"3#102002022201221111211", "F6100"},
        // Digits outside the base, and other characters after "#".
        {"2#12", "F6101"}, {"16#G", "F6101"}, {"16#-1", "F6101"}, {"16#1\0"s, "F6101"},
        // Bad bases and a second "#".
        {"1#1", "F6303"}, {"37#1", "F6303"}, {"37#", "F6303"}, {"1#1#", "F6303"},
        {"2#1#0", "F6302"}, {"##", "F6302"}, {"2#2#", "F6101"},
    };
    // clang-format on
    for (const auto& [text, expected] : cases) EXPECT_EQ(convert(text), expected) << text;
}

} // namespace
