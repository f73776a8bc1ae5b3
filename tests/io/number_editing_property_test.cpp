// Number editing against an exact reference: the decimal expansion of each double computed with
// GMP integers, then the editing rules applied, as they read, to that digit string.

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include <gmp.h>
#include <gtest/gtest.h>

#include "io/number_editing.hpp"

namespace {

// |x| = 0.DIGITS x 10^p, digits without trailing zeros ("0" for zero).
struct Decimal {
    bool negative = false;
    std::string digits = "0";
    int p = 0;
    bool zero() const { return digits == "0"; }
    char at(int i) const { return i < static_cast<int>(digits.size()) ? digits[i] : '0'; }
};

Decimal exact_decimal(double x) {
    if (x == 0) return {};
    int e = 0;
    auto m = static_cast<unsigned long>(std::ldexp(std::frexp(std::fabs(x), &e), 53));
    e -= 53; // |x| = m * 2^e = m * 5^-e / 10^-e
    mpz_t n, five;
    mpz_inits(n, five, nullptr);
    mpz_set_ui(n, m);
    mpz_ui_pow_ui(five, 5, static_cast<unsigned long>(std::max(-e, 0)));
    mpz_mul(n, n, five);
    mpz_mul_2exp(n, n, static_cast<unsigned long>(std::max(e, 0)));
    std::string digits(mpz_sizeinbase(n, 10) + 1, '\0');
    mpz_get_str(digits.data(), 10, n);
    mpz_clears(n, five, nullptr);
    digits.resize(digits.find('\0'));
    Decimal d{x < 0, digits, static_cast<int>(digits.size()) + std::min(e, 0)};
    d.digits.erase(d.digits.find_last_not_of('0') + 1);
    return d;
}

// Keeps n digits, half up on the next one; returns the carry.
bool round_to(Decimal& d, int n) {
    if (static_cast<int>(d.digits.size()) <= n) return false;
    bool up = d.digits[n] >= '5';
    d.digits.resize(n);
    if (!up) {
        if (n == 0) d.negative = false, d.digits = "0";
        if (d.digits.find_first_not_of('0') != std::string::npos) // trailing zeros
            d.digits.erase(d.digits.find_last_not_of('0') + 1);
        return false;
    }
    if (n == 0) return d.digits = "1", true;
    int i = n - 1;
    for (; i >= 0 && d.digits[i] == '9'; --i) d.digits[i] = '0';
    if (i >= 0) return ++d.digits[i], d.digits.erase(i + 1), false;
    d.digits = "1", ++d.p;
    return true;
}

std::string in_field(const std::string& s, int w) {
    return static_cast<int>(s.size()) > w ? std::string(w, '*')
                                          : std::string(w - s.size(), ' ') + s;
}

std::string fixed(Decimal d, int w, int places) {
    int h = d.zero() ? 0 : d.p;
    if (h < -places) return in_field(places == 0 ? "0." : "." + std::string(places, '0'), w);
    int n = h + places;
    if (round_to(d, std::min(n, 16))) ++h, ++n;
    if (std::max(h, 0) + 1 + places > w || std::max(h, 0) + places >= 260)
        return std::string(w, '*');
    std::string s = d.negative ? "-" : "";
    if (h == 0 && n == 0) s += '0';
    for (int i = 0; i < h; ++i) s += d.at(i);
    s += '.' + std::string(std::max(-h, 0), '0');
    for (int i = std::max(h, 0); i < n; ++i) s += d.at(i);
    return in_field(s, w);
}

std::string exponent(Decimal d, int w, int places) {
    round_to(d, std::min(places, 16));
    std::string s = d.negative ? "-." : ".";
    for (int i = 0; i < places; ++i) s += d.at(i);
    char tail[16];
    std::snprintf(tail, sizeof tail, std::abs(d.p) <= 99 ? "E%+03d" : "%+04d", d.p);
    return in_field(s + tail, w);
}

std::string free_form(Decimal d) {
    if (!d.zero() && d.p >= 1 && d.p <= 7) return fixed(d, 24, 15);
    bool zero = d.zero();
    round_to(d, 16);
    std::string s = (d.negative ? "-" : "") + std::string(1, d.at(0)) + ".";
    for (int i = 1; i < 16; ++i) s += d.at(i);
    char tail[16];
    std::snprintf(tail, sizeof tail, "E%+04d", zero ? 0 : d.p - 1);
    return in_field(s + tail, 24);
}

// Doubles of every kind the rules care about, from a fixed seed.
std::vector<double> test_values() {
    std::mt19937_64 random(20240611);
    auto below = [&](std::uint64_t n) { return static_cast<int>(random() % n); };
    auto sign = [&] { return below(2) ? -1.0 : 1.0; };
    // A signed decimal: lead, random digits, tail, and a random exponent in +-range/2.
    auto decimal = [&](std::string lead, int digits, const std::string& tail, int range) {
        for (int i = 0; i < digits; ++i) lead += static_cast<char>('0' + below(10));
        lead += tail + "e" + std::to_string(below(range) - range / 2);
        return sign() * std::strtod(lead.c_str(), nullptr);
    };
    std::vector<double> v;
    for (int i = 0; i < 25000; ++i) { // the whole range; subnormals and zeros
        if (double x = std::bit_cast<double>(random()); std::isfinite(x)) v.push_back(x);
        if (i % 8 == 0)
            v.push_back(sign() * std::ldexp(static_cast<double>(random() >> below(64)), -1074));
    }
    for (int i = 0; i < 15000; ++i) v.push_back(decimal("0.", 17, "", 30)); // the program's range
    for (int i = 0; i < 10000; ++i) { // halfway between n-digit numbers, and the doubles below
        double x = decimal("0." + std::to_string(1 + below(9)), below(16), "5", 600);
        for (int k = 0; k < 4; ++k, x = std::nextafter(x, 0.0)) v.push_back(x);
    }
    for (int i = 0; i < 3000; ++i) { // exact ties: odd m * 2^-k whose m * 5^k has 18 digits
        int k = 2 + below(24);
        double lo = std::ceil(1e17 / std::pow(5.0, k)),
               hi = std::min(1e18 / std::pow(5.0, k), 0x1p53);
        auto m = static_cast<std::uint64_t>(lo + std::floor((hi - lo) * (below(1 << 30) / 0x1p30)));
        v.push_back(sign() * std::ldexp(static_cast<double>(m | 1), -k));
    }
    for (int i = 0; i < 10000; ++i) { // runs of nines that carry into a new digit
        std::string nines(1 + below(17), '9');
        double x = decimal("0." + nines + std::to_string(5 + below(5)), 3, "", 616);
        v.insert(v.end(), {x, std::nextafter(x, 0.0)});
    }
    return v;
}

TEST(NumberEditingProperty, EveryFieldMatchesTheExactReference) {
    const struct {
        char form;
        int w, d;
    } fields[] = {{'F', 20, 16}, {'F', 4, 1}, {'E', 13, 6}, {'E', 15, 7}, {'L', 24, 15},
                  {'F', 10, 3},  {'F', 8, 0}, {'E', 9, 2},  {'E', 30, 20}};
    std::vector<double> values = test_values();
    ASSERT_GE(values.size(), 100000u);
    int four_then_five = 0, ties = 0, new_exponents = 0, failures = 0;
    for (double x : values) {
        Decimal form = exact_decimal(x);
        const std::string& e = form.digits;
        four_then_five += e.size() >= 18 && e[16] == '4' && e[17] >= '5';
        ties += e.size() == 18 && e[17] == '5';
        round_to(form, 17); // the 17-digit decimal form
        Decimal six = form;
        new_exponents += round_to(six, 6);
        for (const auto& f : fields) {
            std::string expected = f.form == 'F'   ? fixed(form, f.w, f.d)
                                   : f.form == 'E' ? exponent(form, f.w, f.d)
                                                   : free_form(form);
            std::string actual = f.form == 'F'   ? io::edit_fixed(x, f.w, f.d)
                                 : f.form == 'E' ? io::edit_exponent(x, f.w, f.d)
                                                 : io::edit_free(x);
            if (actual != expected && ++failures <= 20)
                ADD_FAILURE() << std::hexfloat << x << " in " << f.form << f.w << '.' << f.d
                              << ": |" << actual << "| not |" << expected << "|";
        }
    }
    EXPECT_EQ(failures, 0);
    // The adversarial sets reached the cases they were built for.
    EXPECT_GT(four_then_five, 3000);
    EXPECT_GT(ties, 2500);
    EXPECT_GT(new_exponents, 10000);
}

} // namespace
