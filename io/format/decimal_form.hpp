#pragma once
// The decimal form of a double: the one digit source behind every number the program shows.
//
// A finite double becomes a sign, 17 significant digits and a decimal exponent p, with
// |x| = 0.D1D2...D17 x 10^p. The digits are the exact decimal value cut to 18 significant
// digits and rounded half up on the 18th, for every value. A field then rounds them once more,
// half up on the single next digit, to the places it shows (round_digits).

#include <array>

namespace io {

// Significant digits kept from the exact value.
inline constexpr int kFormDigits = 17;

// No field ever shows more significant digits than this; places beyond are written as 0.
inline constexpr int kShownDigitLimit = 16;

struct DecimalForm {
    bool negative = false;
    int exponent = 0; // p; 0 for zero
    // ASCII digits, the first non-zero unless the value is zero. Places past the significant
    // digits hold '0'.
    std::array<char, kFormDigits> digits{};

    bool is_zero() const { return digits[0] == '0'; }
    // Digit place i (0-based from the first significant digit); '0' beyond the form.
    char digit(long long i) const {
        return i < kFormDigits ? digits[static_cast<std::size_t>(i)] : '0';
    }
};

// The decimal form of a finite double. A zero of either sign has all digits 0, exponent 0 and
// no minus sign.
DecimalForm decimal_form(double x);

// Rounds the digits to n significant places (0 <= n < kFormDigits), half up on digit n+1;
// places from n on become '0'. Returns true when the rounding carried:
// - n = 0 and digit 1 is 5 or more: the digits become 1, the exponent stays;
// - n > 0 and the first n digits were all nines: the digits become 1 and the exponent grows.
// When no digit is kept (n = 0, rounded down) the minus sign is dropped.
bool round_digits(DecimalForm& form, int n);

} // namespace io
