// Exact decimal conversions (exact_decimal.hpp).
//
// Sections, in order:
//   big integers    unsigned integers of any size, in 32-bit words, and the few operations
//                   the conversions need: times or over a small number, and shifts
//   scaling         floor(n * 10^k * 2^j) with a note of what the floor cut, and rounding
//   interface       leading_digits, fixed_notation, parse_decimal

#include "io/format/exact_decimal.hpp"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cmath>
#include <vector>

#include "runtime/binary_parts.hpp"
#include "runtime/bit_cast.hpp"

namespace io {

namespace {

// A non-negative integer, its 32-bit words from the least significant, none of them zero at the
// top (zero has no words).
class BigInteger {
public:
    explicit BigInteger(std::uint64_t value = 0) {
        words_.reserve(40); // 1280 bits: the digits of any double without growing
        for (; value != 0; value >>= 32) words_.push_back(static_cast<std::uint32_t>(value));
    }

    bool is_zero() const { return words_.empty(); }
    int bit_length() const {
        if (is_zero()) return 0;
        return 32 * static_cast<int>(words_.size()) - std::countl_zero(words_.back());
    }
    std::uint64_t low_64() const {
        std::uint64_t low = words_.empty() ? 0 : words_[0];
        return words_.size() < 2 ? low : low | std::uint64_t{words_[1]} << 32;
    }

    // this = this * factor + addend.
    void multiply_add(std::uint32_t factor, std::uint32_t addend = 0) {
        std::uint64_t carry = addend;
        for (std::uint32_t& word : words_) {
            carry += std::uint64_t{word} * factor;
            word = static_cast<std::uint32_t>(carry);
            carry >>= 32;
        }
        if (carry != 0) words_.push_back(static_cast<std::uint32_t>(carry));
    }

    // this = floor(this / divisor); returns the remainder.
    std::uint32_t divide(std::uint32_t divisor) {
        std::uint64_t remainder = 0;
        for (std::size_t i = words_.size(); i-- > 0;) {
            const std::uint64_t part = remainder << 32 | words_[i];
            words_[i] = static_cast<std::uint32_t>(part / divisor);
            remainder = part % divisor;
        }
        trim();
        return static_cast<std::uint32_t>(remainder);
    }

    void shift_left(int bits) {
        if (is_zero()) return;
        const int part = bits % 32;
        if (part != 0) {
            std::uint32_t carry = 0;
            for (std::uint32_t& word : words_) {
                const std::uint32_t out = word >> (32 - part);
                word = word << part | carry;
                carry = out;
            }
            if (carry != 0) words_.push_back(carry);
        }
        words_.insert(words_.begin(), static_cast<std::size_t>(bits / 32), 0);
    }

    // this = floor(this / 2^bits); returns whether a bit 1 was dropped.
    bool shift_right(int bits) {
        const auto whole = static_cast<std::size_t>(bits / 32);
        const int part = bits % 32;
        if (whole >= words_.size()) {
            const bool dropped = !is_zero();
            words_.clear();
            return dropped;
        }
        const auto first = words_.begin() + static_cast<std::ptrdiff_t>(whole);
        bool dropped = std::any_of(words_.begin(), first, [](std::uint32_t w) { return w != 0; });
        words_.erase(words_.begin(), first);
        if (part != 0) {
            dropped |= (words_[0] << (32 - part)) != 0;
            for (std::size_t i = 0; i < words_.size(); ++i)
                words_[i] =
                    words_[i] >> part | (i + 1 < words_.size() ? words_[i + 1] << (32 - part) : 0);
            trim();
        }
        return dropped;
    }

private:
    void trim() {
        while (!words_.empty() && words_.back() == 0) words_.pop_back();
    }

    std::vector<std::uint32_t> words_;
};

// The powers of 5 are applied 5^13 at a time, the largest that fits in a word.
constexpr int kFiveStep = 13;

constexpr std::uint32_t power_of_5(int k) {
    std::uint32_t power = 1;
    for (; k > 0; --k) power *= 5;
    return power;
}

constexpr std::uint64_t power_of_10(int k) {
    std::uint64_t power = 1;
    for (; k > 0; --k) power *= 10;
    return power;
}

// floor(n * 10^k * 2^j) = floor(n * 5^k * 2^(k+j)), and whether the floor cut anything. Every
// multiplication comes before every division, and floor(floor(a / b) / c) = floor(a / (b c)):
// the result is exact, and a remainder at any step means the exact value was not an integer.
struct Scaled {
    BigInteger value;
    bool inexact;
};

Scaled scaled(BigInteger n, int k, int j) {
    const int twos = k + j;
    int left = k; // whole steps by a constant, which the compiler multiplies by
    for (; left >= kFiveStep; left -= kFiveStep) n.multiply_add(power_of_5(kFiveStep));
    if (left > 0) n.multiply_add(power_of_5(left));
    if (twos > 0) n.shift_left(twos);
    bool inexact = false;
    for (left = -k; left >= kFiveStep; left -= kFiveStep)
        inexact |= n.divide(power_of_5(kFiveStep)) != 0;
    if (left > 0) inexact |= n.divide(power_of_5(left)) != 0;
    if (twos < 0) inexact |= n.shift_right(-twos);
    return {std::move(n), inexact};
}

// n / 2^bits (bits >= 1) rounded to nearest, ties to even; `beyond` says the value n stands for
// is a little more than n.
BigInteger rounded(BigInteger n, int bits, bool beyond) {
    beyond |= n.shift_right(bits - 1);
    const bool half = (n.low_64() & 1) != 0;
    n.shift_right(1);
    if (half && (beyond || (n.low_64() & 1) != 0)) n.multiply_add(1, 1);
    return n;
}

// The decimal digits of n, "0" for zero.
std::string decimal_text(BigInteger n) {
    constexpr int kChunkDigits = 9;
    std::string text; // from the least significant digit
    do {
        std::uint32_t chunk = n.divide(static_cast<std::uint32_t>(power_of_10(kChunkDigits)));
        for (int i = 0; i < kChunkDigits; ++i, chunk /= 10)
            text += static_cast<char>('0' + chunk % 10);
    } while (!n.is_zero());
    const std::size_t last = text.find_last_not_of('0'); // the leading zeros go, but one
    text.erase(last == std::string::npos ? 1 : last + 1);
    return {text.rbegin(), text.rend()};
}

} // namespace

LeadingDigits leading_digits(double x, int count) {
    assert(x != 0 && std::isfinite(x) && count >= 1 && count <= 18);
    const runtime::BinaryParts v = runtime::binary_parts(x);
    const int b = v.e + 63 - std::countl_zero(v.m); // floor(log2 |x|)
    // floor(b * log10(2)) for every exponent of a double: the first digit's decimal exponent,
    // or one less.
    int first = (b * 78913) >> 18;
    std::uint64_t digits = scaled(BigInteger(v.m), count - 1 - first, v.e).value.low_64();
    if (digits >= power_of_10(count)) {
        digits /= 10;
        ++first;
    }
    return {digits, first + 1};
}

std::string fixed_notation(double x, int places) {
    assert(std::isfinite(x) && places >= 0);
    const runtime::BinaryParts v = runtime::binary_parts(x);
    const Scaled twice = scaled(BigInteger(v.m), places, v.e + 1); // one bit for the rounding
    std::string digits = decimal_text(rounded(twice.value, 1, twice.inexact));
    const auto decimals = static_cast<std::size_t>(places);
    if (digits.size() <= decimals) digits.insert(0, decimals + 1 - digits.size(), '0');
    if (decimals > 0) digits.insert(digits.size() - decimals, 1, '.');
    return (std::signbit(x) ? "-" : "") + digits;
}

std::optional<double> parse_decimal(std::string_view text) {
    const bool negative = text.starts_with('-');
    if (negative) text.remove_prefix(1);
    auto is_digit = [&] { return !text.empty() && text[0] >= '0' && text[0] <= '9'; };
    // The value is significand * 10^k, the significand of `digits` digits from its first non-zero.
    BigInteger significand;
    int digits = 0, k = 0;
    bool any_digit = false, point = false;
    for (; is_digit() || (text.starts_with('.') && !point); text.remove_prefix(1)) {
        if (text[0] == '.') {
            point = true;
            continue;
        }
        any_digit = true;
        if (point) --k;
        if (digits > 0 || text[0] != '0') {
            significand.multiply_add(10, static_cast<std::uint32_t>(text[0] - '0'));
            ++digits;
        }
    }
    if (!any_digit) return std::nullopt;
    if (text.starts_with('e') || text.starts_with('E')) {
        text.remove_prefix(1);
        const bool below = text.starts_with('-');
        if (below || text.starts_with('+')) text.remove_prefix(1);
        if (!is_digit()) return std::nullopt;
        int exponent = 0;
        for (; is_digit(); text.remove_prefix(1))
            exponent = std::min(10 * exponent + (text[0] - '0'), 1'000'000); // far out of range
        k += below ? -exponent : exponent;
    }
    if (!text.empty()) return std::nullopt;

    constexpr std::uint64_t kSignBit = std::uint64_t{1} << 63, kInfinity = 0x7ffULL << 52;
    const std::uint64_t sign = negative ? kSignBit : 0;
    if (significand.is_zero()) return runtime::bit_cast<double>(sign);
    // 10^(digits - 1 + k) <= value < 10^(digits + k): beyond the largest double, or below half
    // the smallest.
    if (digits - 1 + k >= 309 || digits + k < -324) return std::nullopt;
    // Scaled by 2^j to about 70 bits, of which 54 are needed: k * 108853 / 2^15 is k * log2(10)
    // within a bit for |k| < 5 * 10^5, and within 16 bits far beyond.
    const int j = 70 - significand.bit_length() -
                  static_cast<int>((static_cast<long long>(k) * 108853) >> 15);
    Scaled scaled_value = scaled(std::move(significand), k, j);
    // value ~ scaled_value * 2^-j: rounded at its 53rd bit, or at the subnormals' 2^-1074.
    const int cut = std::max(scaled_value.value.bit_length() - 53, j - 1074);
    const std::uint64_t q =
        rounded(std::move(scaled_value.value), cut, scaled_value.inexact).low_64();
    // The double q * 2^(cut - j): 2^52 <= q <= 2^53 for a normal one, whose biased exponent is
    // cut - j + 1075 (a q of 2^53, carried, adds one); q < 2^52 and cut - j = -1074 for a
    // subnormal, biased exponent 0. One sum gives the bits of both.
    const std::uint64_t bits = (static_cast<std::uint64_t>(cut - j + 1074) << 52) + q;
    if (bits >= kInfinity || bits == 0) return std::nullopt;
    return runtime::bit_cast<double>(bits | sign);
}

} // namespace io
