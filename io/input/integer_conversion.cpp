// The text of one list-directed integer value to a 32-bit integer (integer_conversion.hpp):
// decimal digits, or a based integer written base#digits.

#include "io/input/integer_conversion.hpp"

#include "io/input/read_fault.hpp"

namespace io {

using runtime::ErrorCode;

namespace {

constexpr std::uint32_t kDecimalStepLimit = 214748364; // largest value that may take a digit
constexpr std::uint32_t kDecimalLimit = 2147483647;    // largest decimal value
constexpr std::uint32_t kUnsignedLimit = 4294967295U;  // 2^32 - 1

// The value of a digit of a based integer: 0 to 9, then a to z in either case; 36 for any
// other byte, which no base accepts.
unsigned digit_value(unsigned char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'z') return c - 'a' + 10;
    if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
    return 36;
}

// The digits after "#", read as an unsigned 32-bit number in the given base.
std::uint32_t based_digits(std::string_view digits, unsigned base) {
    const std::uint32_t step_limit = base == 10 ? kDecimalStepLimit : kUnsignedLimit / base;
    const std::uint64_t limit = base == 10 ? kDecimalLimit : kUnsignedLimit;
    std::uint32_t value = 0;
    for (const char ch : digits) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '#') fault(ErrorCode::SecondBaseMark);
        const unsigned digit = digit_value(c);
        if (digit >= base) fault(ErrorCode::InvalidInteger);
        if (value > step_limit) fault(ErrorCode::IntegerOverflow);
        const std::uint64_t next = std::uint64_t{value} * base + digit;
        if (next > limit) fault(ErrorCode::IntegerOverflow);
        value = static_cast<std::uint32_t>(next);
    }
    return value;
}

} // namespace

std::int32_t parse_integer(std::string_view text) {
    std::size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) ++i;

    // Decimal digits: the whole value, or the base in front of "#".
    std::uint32_t value = 0;
    for (; i < text.size() && text[i] != '#'; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < '0' || c > '9') fault(ErrorCode::InvalidInteger); // NUL bytes included
        if (value > kDecimalStepLimit) fault(ErrorCode::IntegerOverflow);
        value = value * 10 + (c - '0');
        if (value > kDecimalLimit) fault(ErrorCode::IntegerOverflow);
    }
    if (i < text.size()) {
        // Based integer: no base, or base 0, means 16.
        const unsigned base = value == 0 ? 16 : value;
        if (base < 2 || base > 36) fault(ErrorCode::BadBase);
        value = based_digits(text.substr(i + 1), base);
    }
    // The bits of the unsigned value are the signed result; negation wraps like the hardware.
    return static_cast<std::int32_t>(negative ? 0U - value : value);
}

} // namespace io
