// The number edits of a field (number_editing.hpp): F w.d, E w.d and the free form, each built
// from the decimal form of its value.
//
// Sections, in order:
//   special values  the texts of infinities and NaNs, and the asterisks of an overflow
//   field writer    a rendering placed at the right end of a field of blanks
//   fixed notation  shared by F w.d and by the free form's fixed branch
//   interface       edit_fixed, edit_exponent, edit_free

#include "io/format/number_editing.hpp"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdint>
#include <string_view>

#include "io/format/decimal_form.hpp"
#include "runtime/bit_cast.hpp"

namespace io {

namespace {

// A fixed rendering that needs this many digit places or more is a field overflow.
constexpr long long kFixedPlaceLimit = 260;

constexpr int kFreeWidth = 24;
constexpr int kFreeDecimals = 15;
constexpr int kFreeSpecialWidth = 22; // a special value's text in the free form

// The text of an infinity or NaN; empty for a finite x.
std::string_view special_text(double x) {
    std::uint64_t bits = runtime::bit_cast<std::uint64_t>(x);
    constexpr std::uint64_t kExponentMask = std::uint64_t{0x7ff} << 52;
    constexpr std::uint64_t kQuietBit = std::uint64_t{1} << 51;
    constexpr std::uint64_t kPayloadMask = kQuietBit - 1;
    if ((bits & kExponentMask) != kExponentMask) return {};
    std::uint64_t fraction = bits & (kQuietBit | kPayloadMask);
    if (fraction == 0) return "1#INF";
    if ((fraction & kQuietBit) == 0) return "1#SNAN";
    if (std::signbit(x) && (fraction & kPayloadMask) == 0) return "1#IND";
    return "1#QNAN";
}

// A special value's text followed by points up to width w, cut to w when narrower.
std::string special_field(std::string_view text, int w) {
    std::string out(static_cast<std::size_t>(w), '.');
    std::copy_n(text.begin(), std::min(text.size(), out.size()), out.begin());
    return out;
}

std::string asterisks(int w) {
    return std::string(static_cast<std::size_t>(w), '*');
}

// Writes a rendering of known length at the right end of a field of blanks.
class FieldWriter {
public:
    FieldWriter(long long width, long long length)
        : out_(static_cast<std::size_t>(width), ' '), next_(out_.data() + (width - length)) {}

    void put(char c) { *next_++ = c; }
    void put_zeros(long long count) { next_ = std::fill_n(next_, count, '0'); }
    // Digit places [from, to) of the form.
    void put_digits(const DecimalForm& form, long long from, long long to) {
        for (long long i = from; i < to; ++i) *next_++ = form.digit(i);
    }
    void put_sign(const DecimalForm& form) {
        if (form.negative) put('-');
    }
    // The exponent's sign and its digits, with leading zeros.
    void put_exponent(int exponent, int digits) {
        put(exponent < 0 ? '-' : '+');
        int magnitude = exponent < 0 ? -exponent : exponent;
        for (int i = digits - 1; i >= 0; --i) {
            next_[i] = static_cast<char>('0' + magnitude % 10);
            magnitude /= 10;
        }
        next_ += digits;
    }
    std::string take() { return std::move(out_); }

private:
    std::string out_;
    char* next_;
};

enum class Overflow { Asterisks, Widen };

// Fixed notation with d decimals in a field of width w. A rendering longer than w gives w
// asterisks, or with Overflow::Widen a field of the rendering's own length.
std::string fixed_notation(DecimalForm form, int w, int d, Overflow overflow) {
    long long h = form.exponent; // digits before the point
    if (h < -d) {
        // The first significant digit lies beyond the last decimal shown: no sign, no digit.
        long long length = d == 0 ? 2 : d + 1;
        if (length > w) return asterisks(w);
        FieldWriter field(w, length);
        if (d == 0) field.put('0');
        field.put('.');
        field.put_zeros(d);
        return field.take();
    }
    long long places = h + d;
    if (round_digits(form, static_cast<int>(std::min<long long>(places, kShownDigitLimit)))) ++h;
    long long whole = std::max(h, 0LL);
    if (whole + d >= kFixedPlaceLimit) return asterisks(w);
    bool lone_zero = h == 0 && d == 0;
    long long length = (form.negative ? 1 : 0) + (lone_zero ? 1 : 0) + whole + 1 + d;
    long long width = w;
    if (length > w) {
        if (overflow == Overflow::Asterisks) return asterisks(w);
        width = length;
    }
    FieldWriter field(width, length);
    field.put_sign(form);
    if (lone_zero) field.put('0');
    field.put_digits(form, 0, whole);
    field.put('.');
    field.put_zeros(std::max(-h, 0LL));
    field.put_digits(form, whole, h + d);
    return field.take();
}

} // namespace

std::string edit_fixed(double x, int w, int d) {
    assert(w >= 0 && d >= 0);
    if (std::string_view special = special_text(x); !special.empty())
        return special_field(special, w);
    return fixed_notation(decimal_form(x), w, d, Overflow::Asterisks);
}

std::string edit_exponent(double x, int w, int d) {
    assert(w >= 0 && d >= 0);
    if (std::string_view special = special_text(x); !special.empty())
        return special_field(special, w);
    DecimalForm form = decimal_form(x);
    round_digits(form, std::min(d, kShownDigitLimit));
    long long length = (form.negative ? 1 : 0) + 1LL + d + 4;
    if (length > w) return asterisks(w);
    FieldWriter field(w, length);
    field.put_sign(form);
    field.put('.');
    field.put_digits(form, 0, d);
    if (form.exponent >= -99 && form.exponent <= 99) {
        field.put('E');
        field.put_exponent(form.exponent, 2);
    } else {
        field.put_exponent(form.exponent, 3);
    }
    return field.take();
}

std::string edit_free(double x) {
    if (std::string_view special = special_text(x); !special.empty()) {
        FieldWriter field(kFreeWidth, kFreeSpecialWidth);
        for (char c : special_field(special, kFreeSpecialWidth)) field.put(c);
        return field.take();
    }
    DecimalForm form = decimal_form(x);
    bool zero = form.is_zero();
    // The notation follows the exponent before any rounding to the shown digits. A negative
    // value carried to 10^7 would need 25 columns; no double is that close below 10^7 (it
    // would need sixteen nines), but the field would widen rather than lose a digit.
    if (!zero && form.exponent >= 1 && form.exponent <= 7)
        return fixed_notation(form, kFreeWidth, kFreeDecimals, Overflow::Widen);
    round_digits(form, kShownDigitLimit);
    FieldWriter field(kFreeWidth, (form.negative ? 1 : 0) + 22);
    field.put_sign(form);
    field.put(form.digit(0));
    field.put('.');
    field.put_digits(form, 1, kShownDigitLimit);
    field.put('E');
    field.put_exponent(zero ? 0 : form.exponent - 1, 3);
    return field.take();
}

} // namespace io
