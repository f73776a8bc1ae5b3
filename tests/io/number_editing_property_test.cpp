// Number editing against an exact reference: the decimal expansion of each double computed with
// GMP integers, then the editing rules applied, as they read, to that digit string.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include <gmp.h>
#include <gtest/gtest.h>

#include "io/decimal_form.hpp"
#include "io/number_editing.hpp"

namespace {

// Digits without trailing zeros ("0" for zero) and p with |x| = 0.DIGITS x 10^p.
struct Decimal {
    bool negative = false;
    std::string digits;
    int p = 0;
    bool zero() const { return digits == "0"; }
    char at(int i) const { return i < static_cast<int>(digits.size()) ? digits[i] : '0'; }
};

void strip_zeros(std::string& digits) {
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
}

// The whole exact expansion: |x| = m * 2^e is m * 2^e, or m * 5^-e / 10^-e.
Decimal exact_decimal(double x) {
    if (x == 0) return {false, "0", 0};
    int e = 0;
    auto m = static_cast<unsigned long>(std::ldexp(std::frexp(std::fabs(x), &e), 53));
    e -= 53;
    mpz_t n;
    mpz_init_set_ui(n, m);
    if (e >= 0) {
        mpz_mul_2exp(n, n, static_cast<unsigned long>(e));
    } else {
        mpz_t five;
        mpz_init(five);
        mpz_ui_pow_ui(five, 5, static_cast<unsigned long>(-e));
        mpz_mul(n, n, five);
        mpz_clear(five);
    }
    std::string digits(mpz_sizeinbase(n, 10) + 2, '\0');
    mpz_get_str(digits.data(), 10, n);
    mpz_clear(n);
    digits.resize(std::strlen(digits.c_str()));
    int p = static_cast<int>(digits.size()) + std::min(e, 0);
    strip_zeros(digits);
    return {x < 0, digits, p};
}

// Adds one unit in the last place; true when all were nines (they become 1 and zeros).
bool add_one(std::string& digits) {
    for (auto i = digits.size(); i-- > 0;) {
        if (digits[i] != '9') return ++digits[i], false;
        digits[i] = '0';
    }
    digits.insert(digits.begin(), '1');
    digits.pop_back();
    return true;
}

// The decimal form: 18 digits of the exact value, half up into the 17th.
Decimal seventeen_digits(Decimal d) {
    if (d.zero()) return d;
    std::string first18 = (d.digits + std::string(18, '0')).substr(0, 18);
    d.digits = first18.substr(0, 17);
    if (first18[17] >= '5' && add_one(d.digits)) d.p += 1;
    strip_zeros(d.digits);
    return d;
}

// Rounding to n shown digits; returns the carry.
bool round_to(Decimal& d, int n) {
    if (static_cast<int>(d.digits.size()) <= n) return false;
    bool up = d.digits[n] >= '5';
    d.digits.resize(n);
    if (!up) {
        if (n == 0) d.negative = false;
        return false;
    }
    if (n == 0) return d.digits = "1", true;
    if (!add_one(d.digits)) return false;
    d.p += 1;
    return true;
}

std::string in_field(const std::string& s, int w) {
    if (static_cast<int>(s.size()) > w) return std::string(w, '*');
    return std::string(w - s.size(), ' ') + s;
}

std::string fixed(Decimal d, int w, int places) {
    int h = d.zero() ? 0 : d.p;
    if (h < -places) return in_field(places == 0 ? "0." : "." + std::string(places, '0'), w);
    int n = h + places;
    if (round_to(d, std::min(n, 16))) ++h, ++n;
    if (std::max(h, 0) + places >= 260) return std::string(w, '*');
    if (std::max(h, 0) + 1 + places > w) return std::string(w, '*'); // too long in any case
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
    int p = d.zero() ? 0 : d.p;
    std::snprintf(tail, sizeof tail, std::abs(p) <= 99 ? "E%+03d" : "%+04d", p);
    return in_field(s + tail, w);
}

std::string free_form(Decimal d) {
    if (!d.zero() && d.p >= 1 && d.p <= 7) return fixed(d, 24, 15);
    bool zero = d.zero();
    round_to(d, 16);
    std::string s = d.negative ? "-" : "";
    s += d.at(0);
    s += '.';
    for (int i = 1; i < 16; ++i) s += d.at(i);
    char tail[16];
    std::snprintf(tail, sizeof tail, "E%+04d", zero ? 0 : d.p - 1);
    return in_field(s + tail, 24);
}

double from_text(const std::string& text) {
    return std::strtod(text.c_str(), nullptr);
}

// Random doubles of every kind the rules care about, from a fixed seed.
std::vector<double> test_values() {
    std::mt19937_64 random(20240611);
    auto below = [&](std::uint64_t n) { return random() % n; };
    auto digits = [&](int count) {
        std::string s;
        for (int i = 0; i < count; ++i) s += static_cast<char>('0' + below(10));
        return s;
    };
    auto sign = [&] { return below(2) ? -1.0 : 1.0; };
    std::vector<double> values;
    for (int i = 0; i < 25000; ++i) { // the whole range: random bit patterns
        std::uint64_t bits = random();
        double x;
        std::memcpy(&x, &bits, sizeof x);
        if (std::isfinite(x)) values.push_back(x);
    }
    for (int i = 0; i < 3000; ++i) // subnormals
        values.push_back(sign() *
                         std::ldexp(static_cast<double>(random() >> (11 + below(52))), -1074));
    for (int i = 0; i < 15000; ++i) // the program's own range
        values.push_back(sign() *
                         from_text("0." + digits(17) + "e" + std::to_string(int(below(30)) - 15)));
    for (int i = 0; i < 10000; ++i) { // halfway between n-digit numbers, and the doubles below
        std::string first = std::to_string(1 + below(9)) + digits(static_cast<int>(below(16)));
        double x = sign() * from_text("0." + first + "5e" + std::to_string(int(below(600)) - 300));
        for (int k = 0; k < 4; ++k, x = std::nextafter(x, 0.0)) values.push_back(x);
    }
    for (int i = 0; i < 3000; ++i) { // exact ties: m * 5^k with exactly 18 digits
        int k = 2 + static_cast<int>(below(24));
        double lo = std::ceil(1e17 / std::pow(5.0, k)),
               hi = std::min(1e18 / std::pow(5.0, k), 0x1p53);
        auto m = static_cast<std::uint64_t>(
            lo + static_cast<double>(below(static_cast<std::uint64_t>(hi - lo))));
        values.push_back(sign() * std::ldexp(static_cast<double>(m | 1), -k));
    }
    for (int i = 0; i < 10000; ++i) { // runs of nines that carry into a new digit
        double x = sign() *
                   from_text("0." + std::string(1 + below(17), '9') + std::to_string(5 + below(5)) +
                             digits(3) + "e" + std::to_string(int(below(629)) - 320));
        values.push_back(x);
        values.push_back(std::nextafter(x, 0.0));
    }
    for (int k = -323; k <= 308; ++k)
        values.push_back(std::nextafter(from_text("1e" + std::to_string(k)), 0.0));
    return values;
}

TEST(NumberEditingProperty, EveryFieldMatchesTheExactReference) {
    struct FieldSpec {
        char form;
        int w, d;
    };
    const FieldSpec fields[] = {{'F', 20, 16}, {'F', 4, 1},   {'E', 13, 6},
                                {'E', 15, 7},  {'L', 24, 15}, {'F', 10, 3},
                                {'F', 8, 0},   {'E', 9, 2},   {'E', 30, 20}};
    std::vector<double> values = test_values();
    ASSERT_GE(values.size(), 100000u);
    int four_then_five = 0, ties = 0, carries = 0, failures = 0;
    for (double x : values) {
        Decimal exact = exact_decimal(x);
        const std::string& e = exact.digits;
        if (e.size() >= 18 && e[16] == '4' && e[17] >= '5') ++four_then_five;
        if (e.size() == 18 && e[17] == '5') ++ties;
        Decimal form = seventeen_digits(exact);
        if (Decimal six = form; round_to(six, 6) && six.p != form.p) ++carries;
        io::DecimalForm mine = io::decimal_form(x);
        std::string mine_digits(mine.digits.begin(), mine.digits.end());
        strip_zeros(mine_digits);
        std::string trouble;
        if (mine_digits != form.digits || mine.exponent != form.p || mine.negative != form.negative)
            trouble += " decimal form " + mine_digits + "e" + std::to_string(mine.exponent) +
                       " expected " + form.digits + "e" + std::to_string(form.p);
        for (const FieldSpec& f : fields) {
            std::string expected = f.form == 'F'   ? fixed(form, f.w, f.d)
                                   : f.form == 'E' ? exponent(form, f.w, f.d)
                                                   : free_form(form);
            std::string actual = f.form == 'F'   ? io::edit_fixed(x, f.w, f.d)
                                 : f.form == 'E' ? io::edit_exponent(x, f.w, f.d)
                                                 : io::edit_free(x);
            if (actual != expected)
                trouble += std::string(" ") + f.form + std::to_string(f.w) + "." +
                           std::to_string(f.d) + " |" + actual + "| expected |" + expected + "|";
        }
        if (trouble.empty()) continue;
        ADD_FAILURE() << std::hexfloat << x << ":" << trouble;
        if (++failures == 20) FAIL() << "stopped after 20 failing values";
    }
    // The adversarial sets did reach the cases they were built for.
    EXPECT_GT(four_then_five, 3000);
    EXPECT_GT(ties, 2500);
    EXPECT_GT(carries, 10000);
}

} // namespace
