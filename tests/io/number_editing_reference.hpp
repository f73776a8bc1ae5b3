#pragma once
// The exact reference of number editing: the exact decimal expansion of a double (the C library
// prints every digit of it), with the rules of number_editing.hpp applied, as they read, to that
// digit string.
// Finite values only.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace reference {

constexpr std::size_t size(int n) {
    return static_cast<std::size_t>(n);
}

// |x| = 0.DIGITS x 10^p, digits without trailing zeros ("0" for zero).
struct Decimal {
    bool negative = false;
    std::string digits = "0";
    int p = 0;
    bool zero() const { return digits == "0"; }
    char at(int i) const { return i < static_cast<int>(digits.size()) ? digits[size(i)] : '0'; }
};

inline Decimal exact_decimal(double x) {
    if (x == 0) return {};
    char text[800]; // no double has more than 767 significant digits
    std::snprintf(text, sizeof text, "%.780e", std::fabs(x));
    std::string digits = text[0] + std::string(text + 2, 780);
    return {x < 0, digits.erase(digits.find_last_not_of('0') + 1), std::atoi(text + 783) + 1};
}

// Keeps n digits, half up on the next one; returns the carry into a new first digit.
inline bool round_to(Decimal& d, int n) {
    if (static_cast<int>(d.digits.size()) <= n) return false;
    const bool up = d.digits[size(n)] >= '5';
    d.digits.resize(size(n));
    int i = n - 1;
    for (; up && i >= 0 && d.digits[size(i)] == '9'; --i) d.digits[size(i)] = '0';
    if (up && i >= 0) ++d.digits[size(i)];
    const bool carry = up && i < 0;
    if (carry) d.digits.insert(0, "1"), d.p += n > 0; // n = 0: the digit 1, p unchanged
    d.digits.erase(d.digits.find_last_not_of('0') + 1);
    if (d.digits.empty()) d.digits = "0", d.negative = false; // nothing kept: no sign, same p
    return carry;
}

// A double as number editing takes it: its 17-digit decimal form.
inline Decimal decimal_form(double x) {
    Decimal d = exact_decimal(x);
    round_to(d, 17);
    return d;
}

inline std::string in_field(const std::string& s, int w) {
    return static_cast<int>(s.size()) > w ? std::string(size(w), '*')
                                          : std::string(size(w) - s.size(), ' ') + s;
}

inline std::string fixed(Decimal d, int w, int places) {
    int h = d.zero() ? 0 : d.p;
    if (h < -places) return in_field(places == 0 ? "0." : "." + std::string(size(places), '0'), w);
    int n = h + places;
    if (round_to(d, std::min(n, 16))) ++h, ++n;
    if (std::max(h, 0) + 1 + places > w || std::max(h, 0) + places >= 260)
        return std::string(size(w), '*');
    std::string s = d.negative ? "-" : "";
    if (h == 0 && n == 0) s += '0';
    for (int i = 0; i < h; ++i) s += d.at(i);
    s += '.' + std::string(size(std::max(-h, 0)), '0');
    for (int i = std::max(h, 0); i < n; ++i) s += d.at(i);
    return in_field(s, w);
}

inline std::string exponent(Decimal d, int w, int places) {
    round_to(d, std::min(places, 16));
    std::string s = d.negative ? "-." : ".";
    for (int i = 0; i < places; ++i) s += d.at(i);
    char tail[16];
    std::snprintf(tail, sizeof tail, std::abs(d.p) <= 99 ? "E%+03d" : "%+04d", d.p);
    return in_field(s + tail, w);
}

inline std::string free_form(Decimal d) {
    if (!d.zero() && d.p >= 1 && d.p <= 7) return fixed(d, 24, 15);
    const int p = d.zero() ? 1 : (round_to(d, 16), d.p);
    std::string s = (d.negative ? "-" : "") + std::string(1, d.at(0)) + ".";
    for (int i = 1; i < 16; ++i) s += d.at(i);
    char tail[16];
    std::snprintf(tail, sizeof tail, "E%+04d", p - 1);
    return in_field(s + tail, 24);
}

} // namespace reference
