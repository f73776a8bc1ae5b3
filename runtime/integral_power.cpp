#include "runtime/integral_power.hpp"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstddef>
#include <utility>

#include "runtime/binary_parts.hpp"
#include "runtime/rounding.hpp"

namespace runtime {

namespace detail {

namespace {

std::int64_t top_exponent(const WideValue& v) { // v lies in [2^top, 2^(top + 1))
    return v.exponent + 64 * static_cast<std::int64_t>(v.words.size()) - 1;
}

// The word of v that holds bits [64 k, 64 k + 64), zero outside v.
std::uint64_t word(const WideValue& v, std::int64_t k) {
    return k >= 0 && k < static_cast<std::int64_t>(v.words.size())
               ? v.words[static_cast<std::size_t>(k)]
               : 0;
}

// The 64 bits of v from bit `low` up (bits past either end are zero).
std::uint64_t bits_from(const WideValue& v, std::int64_t low) {
    std::int64_t k = low >> 6; // floor, also for a negative low
    int offset = static_cast<int>(low & 63);
    if (offset == 0) return word(v, k);
    return (word(v, k) >> offset) | (word(v, k + 1) << (64 - offset));
}

} // namespace

std::optional<RoundedBits> round_top_bits(const WideValue& v, int bits, bool inexact, u128 window) {
    const auto size = static_cast<std::int64_t>(v.words.size());
    const std::int64_t place = 64 * size - bits; // the kept bits' lowest position
    const std::uint64_t kept = bits == 0 ? 0 : bits_from(v, place);
    const std::int64_t half = place - 1; // the rounding bit
    const bool half_set = ((word(v, half >> 6) >> (half & 63)) & 1) != 0;
    // Whether any bit below the rounding bit is set, and the 128 bits below it.
    bool below = (word(v, half >> 6) & ((std::uint64_t{1} << (half & 63)) - 1)) != 0;
    for (std::int64_t k = 0; !below && k < (half >> 6); ++k) below = word(v, k) != 0;
    bool up = false;
    if (!inexact) {
        up = half_set && (below || (kept & 1) != 0);
    } else if (half_set) {
        up = true; // T > V, which is at or past the midpoint
    } else {
        // The midpoint lies 2^half - R above V, R being the bits below the rounding bit: that
        // is one more than R's complement within them, which is less than the window only when
        // R's bits from 128 up are all ones. (half >= 127: V has at least 192 bits.)
        bool all_ones = true;
        for (std::int64_t low = 128; all_ones && low < half; low += 64) {
            std::int64_t count = std::min<std::int64_t>(64, half - low);
            std::uint64_t mask = count == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << count) - 1;
            all_ones = (bits_from(v, low) & mask) == mask;
        }
        u128 mask = half >= 128 ? ~u128{0} : (u128{1} << half) - 1;
        u128 complement = mask - ((u128{bits_from(v, 64)} << 64 | bits_from(v, 0)) & mask);
        if (all_ones && complement < window) return std::nullopt;
    }
    std::int64_t exponent = v.exponent + place;
    std::uint64_t significand = kept + (up ? 1 : 0);
    if (bits == 64 && significand == 0) { // carried to 2^64
        significand = std::uint64_t{1} << 63;
        ++exponent;
    }
    return RoundedBits{significand, exponent};
}

} // namespace detail

namespace {

using detail::RoundedBits;
using detail::WideValue;

// a * b, truncated to a's number of words; whether nonzero bits were dropped is or-ed into
// inexact.
WideValue multiply(const WideValue& a, const WideValue& b, bool& inexact) {
    const std::size_t size = a.words.size();
    std::vector<std::uint64_t> product(2 * size, 0);
    for (std::size_t i = 0; i < size; ++i) {
        std::uint64_t carry = 0;
        for (std::size_t j = 0; j < size; ++j) {
            u128 t = u128{a.words[i]} * b.words[j] + product[i + j] + carry;
            product[i + j] = static_cast<std::uint64_t>(t);
            carry = static_cast<std::uint64_t>(t >> 64);
        }
        product[i + size] = carry;
    }
    std::int64_t exponent = a.exponent + b.exponent;
    if ((product.back() >> 63) == 0) { // the product of two values of [1/2, 1) lies in [1/4, 1)
        for (std::size_t k = product.size() - 1; k > 0; --k)
            product[k] = (product[k] << 1) | (product[k - 1] >> 63);
        product[0] <<= 1;
        --exponent;
    }
    for (std::size_t k = 0; k < size; ++k) inexact = inexact || product[k] != 0;
    product.erase(product.begin(), product.begin() + static_cast<std::ptrdiff_t>(size));
    return {std::move(product), exponent + 64 * static_cast<std::int64_t>(size)};
}

// The base of the powering in `size` words: |x|, or its reciprocal truncated (less than one
// unit of its last bit below the true one; exact for a power of two).
WideValue base(OddParts p, bool reciprocal, std::size_t size, bool& inexact) {
    int shift = std::countl_zero(p.odd);
    std::uint64_t s = p.odd << shift; // |x| = s * 2^(e - shift), s in [2^63, 2^64)
    const auto words = static_cast<std::int64_t>(size);
    WideValue v{std::vector<std::uint64_t>(size, 0), 0};
    if (!reciprocal) {
        v.words.back() = s;
        v.exponent = p.e - shift - 64 * (words - 1);
        return v;
    }
    if (p.odd == 1) { // 2^-e
        v.words.back() = s;
        v.exponent = -p.e - 63 - 64 * (words - 1);
        return v;
    }
    // 2^(64 size + 63) / s, word by word from the top: its quotient has `size` words.
    u128 remainder = u128{1} << 63; // the numerator's top word
    for (std::int64_t k = words - 1; k >= 0; --k) {
        u128 current = remainder << 64;
        v.words[static_cast<std::size_t>(k)] = static_cast<std::uint64_t>(current / s);
        remainder = current % s;
    }
    inexact = true; // s > 2^63 is not a power of two
    v.exponent = -(64 * words + 63) - (p.e - shift);
    return v;
}

// Far outside the double range, the subnormals included: the power's exponent is checked
// against this bound during the powering.
constexpr std::int64_t kFarExponent = std::int64_t{1} << 20;

PowResult out_of_range(bool overflow, bool negative) {
    if (overflow) return {Extended::infinity(negative), MathCode::RangeOverflow};
    return {Extended::finite(negative, 0, 0), MathCode::RangeUnderflow};
}

} // namespace

PowResult huge_integral_power(double x, bool reciprocal) {
    const OddParts p = odd_parts(x);
    if (p.odd == 1 && p.e == 0) return {Extended::finite(false, 1, 0), {}};
    // |x| > 1 when its top bit's exponent is 0 or more, x being no power of two.
    bool above_one = p.e + static_cast<std::int64_t>(std::bit_width(p.odd)) - 1 >= 0;
    return out_of_range(above_one != reciprocal, false);
}

// Binary powering from the top bit of n, every product truncated to the working precision: the
// computed V and the true power T then satisfy V <= T <= V / (1 - 2^(1-p))^c for p bits,
// where c < 3n counts each truncation (and the reciprocal's) as often as its result enters the
// power; T - V is less than 8n units of V's last bit for p >= 192. The precision is doubled
// until that window holds no midpoint of the rounding. A power exact in p bits is V itself;
// otherwise, for n >= 0, T is an odd integer of more than p bits times a power of two, and for
// n < 0 (the base not a power of two) no dyadic number at all: neither is ever a midpoint, so
// the doubling ends.
PowResult integral_power(double x, std::uint64_t n, bool reciprocal) {
    const bool negative = std::signbit(x) && (n & 1) != 0;
    if (n == 0) return {Extended::finite(false, 1, 0), {}};
    const OddParts p = odd_parts(x);
    const u128 window = u128{n} * 8;
    for (std::size_t size = 3;; size *= 2) {
        bool inexact = false;
        const WideValue b = base(p, reciprocal, size, inexact);
        WideValue v = b;
        for (int bit = static_cast<int>(std::bit_width(n)) - 2; bit >= 0; --bit) {
            v = multiply(v, v, inexact);
            if (((n >> bit) & 1) != 0) v = multiply(v, b, inexact);
            // Each partial power lies between 1 and the whole power: far beyond the range, so
            // is the power.
            std::int64_t top = detail::top_exponent(v);
            if (top > kFarExponent || top < -kFarExponent) return out_of_range(top > 0, negative);
        }
        std::optional<RoundedBits> r = detail::round_top_bits(v, 64, inexact, window);
        if (!r) continue;
        const Extended power = Extended::finite(negative, r->significand, r->exponent);
        const std::int64_t top = r->exponent + 63;
        if (top >= 1023 && round_to_double(power).overflow) return out_of_range(true, negative);
        if (top >= -1022) return {power, {}};
        // Below the least normal double: the default is T itself rounded to double's grid of
        // 2^-1074, on which it keeps 1075 + its top exponent bits.
        std::int64_t kept = detail::top_exponent(v) + 1075;
        if (kept < 0) return out_of_range(false, negative);
        std::optional<RoundedBits> d =
            detail::round_top_bits(v, static_cast<int>(kept), inexact, window);
        if (!d) continue;
        double value =
            round_to_double(Extended::finite(negative, d->significand, d->exponent)).value;
        return {Extended::from_double(value), MathCode::RangeUnderflow};
    }
}

} // namespace runtime
