// parse_integer over any text against a reference of its own: an optional sign, then decimal
// digits up to 2^31 - 1, or a base from 2 to 36 (none, or 0, is 16), "#" and digits of that base
// read as 32 unsigned bits (in base 10 up to 2^31 - 1); the first fault met from the left is the
// one reported. The standard library reads each run of digits.

#include <charconv>
#include <cstdint>
#include <string>
#include <string_view>

#include "io/input/integer_conversion.hpp"
#include "io/input/read_fault.hpp"
#include "tests/fuzz/fail.hpp"

static std::string reference(std::string_view text) {
    const bool minus = text.starts_with('-');
    const char* from = text.data() + (minus || text.starts_with('+') ? 1 : 0);
    const char* const end = text.data() + text.size();
    std::uint64_t value = 0, base = 10;
    for (bool based = false;; based = true) { // the decimal digits or the base, then the digits
        const auto [next, error] = std::from_chars(from, end, value, static_cast<int>(base));
        if (error == std::errc::result_out_of_range ||
            value > (base == 10 ? 0x7fffffffU : 0xffffffffU))
            return "F6100";
        if (next == end)
            return std::to_string(static_cast<std::int32_t>(minus ? 0 - value : value));
        if (*next != '#' || based) return *next == '#' ? "F6302" : "F6101";
        base = value == 0 ? 16 : value, value = 0, from = next + 1;
        if (base < 2 || base > 36) return "F6303";
    }
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string actual;
    try {
        actual = std::to_string(io::parse_integer(text));
    } catch (const io::ReadFault& fault) {
        actual = "F" + std::to_string(runtime::displayed_number(fault.code));
    }
    if (const std::string expected = reference(text); actual != expected)
        fail("|" + std::string(text) + "| gives " + actual + ", not " + expected);
    return 0;
}
