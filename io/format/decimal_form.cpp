// The decimal form of a double (decimal_form.hpp): 17 significant digits and an exponent, and
// their rounding to fewer digits for a field.
//
// Sections, in order:
//   tables          powers of ten and the digit pairs
//   binary parts    |x| = m * 2^e and floor(log2 |x|)
//   digit storage   a 17-digit number as ASCII, the 18th digit rounded half up into the 17th
//   exact path      2^-16 <= |x| < 2^60, in 128-bit integers
//   library path    every other finite value, through std::to_chars, and why it agrees
//   interface       decimal_form and round_digits

#include "io/format/decimal_form.hpp"

#include <array>
#include <bit>
#include <cassert>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "runtime/uint128.hpp"

namespace io {

namespace {

using runtime::u128;

// 10^0 ... 10^19, all that fit in 64 bits.
constexpr std::array<std::uint64_t, 20> kPow10 = [] {
    std::array<std::uint64_t, 20> powers{};
    std::uint64_t power = 1;
    for (std::uint64_t& p : powers) {
        p = power;
        power *= 10; // wraps after the last one, harmlessly
    }
    return powers;
}();

constexpr std::uint64_t k17Digits = kPow10[16]; // the smallest 17-digit number
constexpr std::uint64_t k18Digits = kPow10[17];
constexpr std::uint64_t k19Digits = kPow10[18];

constexpr char kDigitPairs[] = "00010203040506070809"
                               "10111213141516171819"
                               "20212223242526272829"
                               "30313233343536373839"
                               "40414243444546474849"
                               "50515253545556575859"
                               "60616263646566676869"
                               "70717273747576777879"
                               "80818283848586878889"
                               "90919293949596979899";

// The binary parts of a finite non-zero |x| = m * 2^e, and b = floor(log2 |x|).
struct Binary {
    std::uint64_t m;
    int e;
    int b;
};

Binary binary_parts(double x) {
    std::uint64_t bits = std::bit_cast<std::uint64_t>(x);
    int biased = static_cast<int>((bits >> 52) & 0x7ff);
    std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    if (biased == 0) { // subnormal
        int top = 63 - std::countl_zero(fraction);
        return {fraction, -1074, top - 1074};
    }
    return {fraction | (std::uint64_t{1} << 52), biased - 1075, biased - 1023};
}

// Writes the count (even) low digits of value, two at a time from the right.
void put_pairs(std::uint64_t value, char* out, int count) {
    for (int i = count - 2; i >= 0; i -= 2) {
        std::uint64_t pair = value % 100;
        value /= 100;
        out[i] = kDigitPairs[2 * pair];
        out[i + 1] = kDigitPairs[2 * pair + 1];
    }
}

// Stores a 17-digit number (k17Digits <= value < 10 * k17Digits) as ASCII digits, in two
// independent halves.
void store_digits(std::uint64_t value, DecimalForm& form) {
    constexpr std::uint64_t kHalf = 100000000;  // 10^8
    std::uint64_t high = value / kHalf / kHalf; // the first digit
    std::uint64_t middle = value / kHalf % kHalf;
    std::uint64_t low = value % kHalf;
    form.digits[0] = static_cast<char>('0' + high);
    put_pairs(middle, form.digits.data() + 1, 8);
    put_pairs(low, form.digits.data() + 9, 8);
}

// Sets the form from the exact value's first 18 significant digits (t, 18 digits) and the
// exponent p of its first digit: the 18th digit rounds half up into the 17th.
void round_18_to_17(std::uint64_t t, int p, DecimalForm& form) {
    std::uint64_t d = t / 10;
    if (t % 10 >= 5) ++d;
    if (d == k18Digits) { // seventeen nines carried into a new digit
        d = k17Digits;
        ++p;
    }
    store_digits(d, form);
    form.exponent = p;
}

// m * 10^s for m < 2^53 and s <= 22, exactly.
u128 times_pow10(std::uint64_t m, int s) {
    if (s <= 19) return static_cast<u128>(m) * kPow10[static_cast<std::size_t>(s)];
    std::uint64_t m_thousands = m * kPow10[static_cast<std::size_t>(s - 19)]; // below 2^63
    return static_cast<u128>(m_thousands) * kPow10[19];
}

// Exact path for 2^-16 <= |x| < 2^60: floor(|x| * 10^s) for the s that leaves 18 or 19
// digits, computed in 128-bit integers.
void exact_in_128_bits(const Binary& v, DecimalForm& form) {
    // g = floor(b * log10(2)) is the decimal exponent of the first digit, or one less.
    int g = (v.b * 78913) >> 18;
    int s = 17 - g; // 0 <= s <= 22
    u128 scaled = times_pow10(v.m, s);
    auto t = static_cast<std::uint64_t>(v.e >= 0 ? scaled << v.e : scaled >> -v.e);
    int first = g; // decimal exponent of the first digit
    if (t >= k19Digits) {
        t /= 10; // floor(floor(y) / 10) = floor(y / 10)
        ++first;
    }
    round_18_to_17(t, first + 1, form);
}

// Any other finite non-zero |x|: the standard library gives the 17 digits correctly rounded,
// ties to even. That agrees with rounding half up on the 18th digit except at an exact tie,
// and no field can show the difference there. An exact value of exactly 18 significant digits
// ending in 5 is m * 2^-k = m * 5^k / 10^k with m odd and k >= 2 (for k = 1, m * 5 < 5 * 2^53
// has at most 17 digits). As 5^k ends in 25 for k >= 2, m * 5^k ends in 25 or 75: the 17th
// digit is 2 or 7, which half up makes 3 or 8 and ties to even 2 or 8. A field shows at most
// 16 digits and rounds them on the 17th alone: 2 and 3 both round down, 7 and 8 both up, and
// neither change carries into the 16 digits. (Outside the 128-bit range only 58 positive
// doubles are such ties, all below 2^-16.)
void from_to_chars(double magnitude, DecimalForm& form) {
    char text[32];
    auto result = std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific,
                                kFormDigits - 1);
    assert(result.ec == std::errc());
    // d.dddddddddddddddde[+-]xx[x]
    form.digits[0] = text[0];
    for (int i = 1; i < kFormDigits; ++i) form.digits[static_cast<std::size_t>(i)] = text[i + 1];
    const char* p = text + kFormDigits + 2; // the exponent's sign
    bool negative = *p == '-';
    int exponent = 0;
    for (++p; p < result.ptr; ++p) exponent = exponent * 10 + (*p - '0');
    form.exponent = (negative ? -exponent : exponent) + 1;
}

} // namespace

DecimalForm decimal_form(double x) {
    DecimalForm form;
    if (x == 0) {
        form.digits.fill('0');
        return form;
    }
    form.negative = std::signbit(x);
    Binary v = binary_parts(x);
    if (v.b >= -16 && v.b <= 59)
        exact_in_128_bits(v, form);
    else
        from_to_chars(std::fabs(x), form);
    return form;
}

bool round_digits(DecimalForm& form, int n) {
    assert(n >= 0 && n < kFormDigits);
    auto& digits = form.digits;
    auto first_dropped = static_cast<std::size_t>(n);
    bool up = digits[first_dropped] >= '5';
    for (std::size_t i = first_dropped; i < digits.size(); ++i) digits[i] = '0';
    if (!up) {
        if (n == 0) form.negative = false;
        return false;
    }
    if (n == 0) {
        digits[0] = '1';
        return true;
    }
    for (std::size_t i = first_dropped; i-- > 0;) {
        if (digits[i] != '9') {
            ++digits[i];
            return false;
        }
        digits[i] = '0';
    }
    digits[0] = '1';
    ++form.exponent;
    return true;
}

} // namespace io
