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
    // A function's symbol is its name after mpfr.h's macros, some of which rename a function
    // (mpfr_set_uj_2exp is __gmpfr_set_uj_2exp): the name is expanded before it is quoted.
#define CROUT_QUOTED(text) #text
#define CROUT_EXPANDED_AND_QUOTED(text) CROUT_QUOTED(text)
#define CROUT_MPFR_BIND(name) bind(m.name, CROUT_EXPANDED_AND_QUOTED(mpfr_##name));
    CROUT_MPFR_FUNCTIONS(CROUT_MPFR_BIND)
#undef CROUT_MPFR_BIND
#undef CROUT_EXPANDED_AND_QUOTED
#undef CROUT_QUOTED
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
