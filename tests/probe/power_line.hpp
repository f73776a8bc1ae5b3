#pragma once
// One line of the probe's powers step, as the probe prints it for the program's arithmetic and
// the tests write it for MPFR's: the power rounded once to 64 bits (its kind, sign, significand
// and exponent) with its error class, then each rounding to double of an operation that the
// power enters, as 16 hex digits and "!" when it overflowed. A NaN shows its class alone: its sign
// and payload are the processor's (the default NaN of x86-64 has the sign set, that of 64-bit
// ARM has it clear), and none reaches the output.

#include <bit>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <string>

#include "runtime/power.hpp"

inline std::string power_line(const runtime::PowResult& p,
                              std::initializer_list<runtime::RoundedDouble> roundings) {
    char text[80];
    std::snprintf(text, sizeof text, "%d %d %" PRIu64 " %" PRId64 " %d",
                  static_cast<int>(p.value.kind()), p.value.negative() ? 1 : 0,
                  p.value.significand(), p.value.exponent(), p.error ? int(*p.error) : 0);
    std::string line = text;
    for (const runtime::RoundedDouble r : roundings) {
        std::snprintf(text, sizeof text, " %016" PRIx64, std::bit_cast<std::uint64_t>(r.value));
        line += (std::isnan(r.value) ? " nan" : text) + std::string(r.overflow ? "!" : "");
    }
    return line + "\n";
}
