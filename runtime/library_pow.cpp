#include "runtime/library_pow.hpp"

#include <cmath>
#include <cstdint>
#include <optional>

#include "runtime/fast_pow.hpp"
#include "runtime/float_environment.hpp"
#include "runtime/integral_power.hpp"
#include "runtime/rounding.hpp"

namespace runtime {

namespace {

// The classes decided by the arguments alone.
std::optional<MathCode> argument_error(double x, double y) {
    if (std::isnan(x) || std::isnan(y)) return MathCode::Domain;
    if (std::isinf(y) && std::fabs(x) == 1.0) return MathCode::Domain;
    if (std::signbit(x) && x != 0.0 && std::isfinite(y) && std::trunc(y) != y)
        return MathCode::Domain;
    if (x == 0.0 && std::signbit(y) && y != 0.0) return MathCode::Singularity;
    return std::nullopt;
}

// x**y for the special arguments: a zero or infinite one, or a domain error or pole.
Extended special_power(double x, double y, std::optional<MathCode> error) {
    if (error == MathCode::Domain) return Extended::nan();
    if (y == 0.0) return Extended::finite(false, 1, 0);
    bool odd_exponent = std::fabs(y) < 0x1p53 && std::trunc(y) == y && std::fmod(y, 2.0) != 0.0;
    bool negative = std::signbit(x) && odd_exponent;
    bool large;
    if (x == 0.0)
        large = y < 0.0;
    else if (std::isinf(x))
        large = y > 0.0;
    else // an infinite exponent
        large = (std::fabs(x) > 1.0) == (y > 0.0);
    return large ? Extended::infinity(negative) : Extended::finite(negative, 0, 0);
}

// x**y for a finite positive x and a non-integral finite y, by the platform's math library in
// its widest floating type, rounded once to 64 bits.
PowResult fractional_power(double x, double y) {
    MaskedFloatScope masked;
    const long double power = std::pow(static_cast<long double>(x), static_cast<long double>(y));
    if (std::isinf(power)) return {Extended::infinity(false), MathCode::RangeOverflow};
    if (power == 0.0L) return {Extended::finite(false, 0, 0), MathCode::RangeUnderflow};
    int exponent = 0;
    long double scaled = std::nearbyint(std::ldexp(std::frexp(power, &exponent), 64));
    Extended value =
        scaled == 0x1p64L
            ? Extended::finite(false, std::uint64_t{1} << 63, exponent - 63)
            : Extended::finite(false, static_cast<std::uint64_t>(scaled), exponent - 64);
    if (value.exponent() + 63 >= 1023 && round_to_double(value).overflow)
        return {Extended::infinity(false), MathCode::RangeOverflow};
    if (value.exponent() + 63 < -1022)
        return {Extended::from_double(static_cast<double>(power)), MathCode::RangeUnderflow};
    return {value, {}};
}

} // namespace

PowResult library_pow(double x, double y) {
    if (std::optional<MathCode> error = argument_error(x, y))
        return {special_power(x, y, error), error};
    if (!std::isfinite(x) || !std::isfinite(y) || x == 0.0) return {special_power(x, y, {}), {}};
    if (std::optional<Extended> power = fast_pow(x, y)) return {*power, {}};
    if (std::trunc(y) != y) return fractional_power(x, y);
    const double magnitude = std::fabs(y);
    if (magnitude >= 0x1p64) return huge_integral_power(x, std::signbit(y));
    return integral_power(x, static_cast<std::uint64_t>(magnitude), std::signbit(y));
}

} // namespace runtime
