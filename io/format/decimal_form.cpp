// The decimal form of a double (decimal_form.hpp): 17 significant digits and an exponent, and
// their rounding to fewer digits for a field.
//
// Sections, in order:
//   tables          powers of ten and the digit pairs
//   binary parts    |x| = m * 2^e and floor(log2 |x|)
//   digit storage   a 17-digit number as ASCII, the 18th digit rounded half up into the 17th
//   exact path      2^-16 <= |x| < 2^60, in 128-bit integers; every other value takes the same
//                   18 digits from integers of any size (exact_decimal.hpp), more slowly
//   interface       decimal_form and round_digits

#include "io/format/decimal_form.hpp"

#include <array>
#include <bit>
#include <cassert>
#include <cmath>
#include <cstdint>

#include "io/format/exact_decimal.hpp"
#include "runtime/binary_parts.hpp"
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
// b = floor(log2 |x|), |x| = v.m * 2^v.e.
void exact_in_128_bits(const runtime::BinaryParts& v, int b, DecimalForm& form) {
    // g = floor(b * log10(2)) is the decimal exponent of the first digit, or one less.
    int g = (b * 78913) >> 18;
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

} // namespace

DecimalForm decimal_form(double x) {
    DecimalForm form;
    if (x == 0) {
        form.digits.fill('0');
        return form;
    }
    form.negative = std::signbit(x);
    const runtime::BinaryParts v = runtime::binary_parts(x);
    const int b = v.e + 63 - std::countl_zero(v.m); // floor(log2 |x|)
    if (b >= -16 && b <= 59) {
        exact_in_128_bits(v, b, form);
    } else {
        const LeadingDigits leading = leading_digits(x, 18);
        round_18_to_17(leading.digits, leading.exponent, form);
    }
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
