#pragma once
// The characters of a number in a field: fixed notation F w.d, exponent notation E w.d and the
// free form of list-directed records. Pure functions over one digit source (decimal_form.hpp).
//
// Fixed and exponent notation write no zero in front of the point (.5000, .100000E+01); no
// field shows more than 16 significant digits. A number that does not fit its field fills it
// with asterisks. Infinities and NaNs are shown as "1#INF", "1#QNAN", "1#SNAN" or "1#IND",
// filled with points to the width (cut when the field is narrower).

#include <string>

namespace io {

// F w.d: exactly w characters, right-justified (w >= 0, d >= 0).
std::string edit_fixed(double x, int w, int d);

// E w.d: exactly w characters, right-justified (w >= 0, d >= 0). The exponent is E, its sign
// and two digits; from magnitude 100 on it is the sign and three digits, without the letter.
std::string edit_exponent(double x, int w, int d);

// The free form: fixed notation with 15 decimals when 1 <= p <= 7 (p: the decimal exponent
// before rounding, |x| = 0.D1D2... x 10^p), else one digit, the point, 15 digits and a
// three-digit exponent; right-justified in 24 columns.
std::string edit_free(double x);

} // namespace io
