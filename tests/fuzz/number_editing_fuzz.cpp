// Number editing of any 64-bit pattern, in F w.d and E w.d (w 1 to 60, d 0 to 60) and in the
// free form, against the exact reference; infinities and NaNs against their texts. And the exact
// conversions under it: fixed notation with d places against printf, and its %.de text read
// back against strtod.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "io/format/exact_decimal.hpp"
#include "io/format/number_editing.hpp"
#include "runtime/bit_cast.hpp"
#include "tests/fuzz/fail.hpp"
#include "tests/io/number_editing_reference.hpp"

// The text of an infinity or NaN, cut or filled with points to w.
static std::string special(double x, int w) {
    const auto bits = runtime::bit_cast<std::uint64_t>(x);
    std::string text = std::isinf(x)                ? "1#INF"
                       : (bits >> 51 & 1) == 0      ? "1#SNAN"
                       : bits == 0xfff8000000000000 ? "1#IND"
                                                    : "1#QNAN";
    text.resize(reference::size(w), '.');
    return text;
}

// Eight bytes of the pattern, then w and d.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, data, std::min(size, sizeof bits));
    const double x = runtime::bit_cast<double>(bits);
    const int w = 1 + (size > 8 ? data[8] : 0) % 60, d = (size > 9 ? data[9] : 0) % 61;
    const reference::Decimal form = reference::decimal_form(std::isfinite(x) ? x : 0);
    const std::string actual =
        io::edit_fixed(x, w, d) + "|" + io::edit_exponent(x, w, d) + "|" + io::edit_free(x);
    const std::string expected =
        std::isfinite(x) ? reference::fixed(form, w, d) + "|" + reference::exponent(form, w, d) +
                               "|" + reference::free_form(form)
                         : special(x, w) + "|" + special(x, w) + "|  " + special(x, 22);
    if (actual != expected)
        fail(std::to_string(bits) + " in F, E " + std::to_string(w) + "." + std::to_string(d) +
             " and free: |" + actual + "| not |" + expected + "|");
    if (!std::isfinite(x)) return 0;
    char fixed[400], exponent[80];
    std::snprintf(fixed, sizeof fixed, "%.*f", d, x);
    std::snprintf(exponent, sizeof exponent, "%.*e", d, x);
    const double back = std::strtod(exponent, nullptr);
    if (io::fixed_notation(x, d) != fixed ||
        io::parse_decimal(exponent) != (std::isinf(back) ? std::nullopt : std::optional(back)))
        fail(std::to_string(bits) + ": " + io::fixed_notation(x, d) + " not " + fixed + ", or " +
             exponent + " read back wrongly");
    return 0;
}
