// MPFR as a shared library, loaded by its file name at the first call that needs it.

#include <string_view>
#include <type_traits>

#include "platform/io.hpp"
#include "platform/library.hpp"
#include "platform/process.hpp"
#include "runtime/mpfr_support.hpp"

namespace runtime {

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

} // namespace runtime
