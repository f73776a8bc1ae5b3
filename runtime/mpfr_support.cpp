#include "runtime/mpfr_support.hpp"

#include <string_view>
#include <type_traits>

#include "platform/io.hpp"
#include "platform/library.hpp"
#include "platform/process.hpp"

namespace runtime {

namespace {

// Double's range in MPFR's convention (significand in [1/2, 1)): the least subnormal is
// 2^-1074 = 0.1b * 2^-1073, the largest double just below 2^1024.
constexpr mpfr_exp_t kDoubleEmin = -1073;
constexpr mpfr_exp_t kDoubleEmax = 1024;

Mpfr load_mpfr() {
    void* library = platform::load_library(CROUT_MPFR_LIBRARY);
    bool found = library != nullptr;
    auto bind = [&](auto& function, const char* name) {
        void* address = found ? platform::library_function(library, name) : nullptr;
        function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(address);
        found = found && address != nullptr;
    };
    Mpfr m{};
    bind(m.init2, "mpfr_init2");
    bind(m.clear, "mpfr_clear");
    bind(m.set4, "mpfr_set4");
    bind(m.set_zero, "mpfr_set_zero");
    bind(m.set_inf, "mpfr_set_inf");
    bind(m.set_nan, "mpfr_set_nan");
    bind(m.set_uj_2exp, "__gmpfr_set_uj_2exp"); // the names behind mpfr.h's macros
    bind(m.get_uj, "__gmpfr_mpfr_get_uj");
    bind(m.get_d, "mpfr_get_d");
    bind(m.neg, "mpfr_neg");
    bind(m.mul_2si, "mpfr_mul_2si");
    bind(m.add, "mpfr_add");
    bind(m.sub, "mpfr_sub");
    bind(m.mul, "mpfr_mul");
    bind(m.div, "mpfr_div");
    bind(m.pow, "mpfr_pow");
    bind(m.get_emin, "mpfr_get_emin");
    bind(m.get_emax, "mpfr_get_emax");
    bind(m.set_emin, "mpfr_set_emin");
    bind(m.set_emax, "mpfr_set_emax");
    bind(m.clear_flags, "mpfr_clear_flags");
    bind(m.overflow_p, "mpfr_overflow_p");
    bind(m.check_range, "mpfr_check_range");
    bind(m.subnormalize, "mpfr_subnormalize");
    if (!found) {
        static constexpr std::string_view kHead = "error while loading shared libraries: ";
        std::string_view message = platform::library_error();
        platform::write_all(platform::kStderr, kHead.data(), kHead.size());
        platform::write_all(platform::kStderr, message.data(), message.size());
        platform::write_all(platform::kStderr, "\n", 1);
        platform::quick_exit_process(127);
    }
    return m;
}

} // namespace

const Mpfr& mpfr() {
    static const Mpfr functions = load_mpfr();
    return functions;
}

void set_mpfr(mpfr_ptr out, const Extended& x) {
    const Mpfr& m = mpfr();
    int sign = x.negative() ? -1 : 1;
    switch (x.kind()) {
    case Extended::Kind::Zero: m.set_zero(out, sign); return;
    case Extended::Kind::Infinite: m.set_inf(out, sign); return;
    case Extended::Kind::NaN: m.set_nan(out); return;
    case Extended::Kind::Finite: break;
    }
    m.set_uj_2exp(out, x.significand(), x.exponent(), MPFR_RNDN);
    if (x.negative()) m.neg(out, out, MPFR_RNDN);
}

Extended to_extended(mpfr_srcptr x) {
    const Mpfr& m = mpfr();
    bool negative = mpfr_signbit(x) != 0;
    if (mpfr_nan_p(x)) return Extended::nan();
    if (mpfr_inf_p(x)) return Extended::infinity(negative);
    if (mpfr_zero_p(x)) return Extended::finite(negative, 0, 0);
    // x = 0.1b... * 2^e: scaled by 2^(64 - e) its magnitude is a 64-bit integer.
    mpfr_exp_t e = mpfr_get_exp(x);
    MpfrNumber scaled(kExtendedBits);
    m.set4(scaled.get(), x, MPFR_RNDN, 1);
    m.mul_2si(scaled.get(), scaled.get(), kExtendedBits - e, MPFR_RNDN);
    return Extended::finite(negative, m.get_uj(scaled.get(), MPFR_RNDN), e - kExtendedBits);
}

RoundedDouble round_into_double(mpfr_ptr result, int ternary) {
    const Mpfr& m = mpfr();
    mpfr_exp_t emin = m.get_emin();
    mpfr_exp_t emax = m.get_emax();
    m.clear_flags();
    m.set_emin(kDoubleEmin);
    m.set_emax(kDoubleEmax);
    ternary = m.check_range(result, ternary, MPFR_RNDN);
    m.subnormalize(result, ternary, MPFR_RNDN);
    RoundedDouble rounded{m.get_d(result, MPFR_RNDN), m.overflow_p() != 0};
    m.set_emin(emin);
    m.set_emax(emax);
    return rounded;
}

RoundedDouble mpfr_round_operation(Operation op, const Extended& a, const Extended& b) {
    const Mpfr& m = mpfr();
    MaskedFloatScope masked;
    MpfrNumber x(kExtendedBits);
    MpfrNumber y(kExtendedBits);
    MpfrNumber r(kDoubleBits);
    set_mpfr(x.get(), a);
    set_mpfr(y.get(), b);
    int ternary = 0;
    switch (op) {
    case Operation::Add: ternary = m.add(r.get(), x.get(), y.get(), MPFR_RNDN); break;
    case Operation::Subtract: ternary = m.sub(r.get(), x.get(), y.get(), MPFR_RNDN); break;
    case Operation::Multiply: ternary = m.mul(r.get(), x.get(), y.get(), MPFR_RNDN); break;
    case Operation::Divide: ternary = m.div(r.get(), x.get(), y.get(), MPFR_RNDN); break;
    }
    return round_into_double(r.get(), ternary);
}

RoundedDouble mpfr_round_to_double(const Extended& x) {
    const Mpfr& m = mpfr();
    MaskedFloatScope masked;
    MpfrNumber wide(kExtendedBits);
    MpfrNumber r(kDoubleBits);
    set_mpfr(wide.get(), x);
    return round_into_double(r.get(),
                             m.set4(r.get(), wide.get(), MPFR_RNDN, MPFR_SIGN(wide.get())));
}

} // namespace runtime
