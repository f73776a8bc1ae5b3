// MPFR linked into the program (CROUT_MPFR_LINKED, as the Windows build has it: it depends on no
// DLL beyond the system's own): its functions are at hand from the start.

#include "runtime/mpfr_support.hpp"

namespace runtime {

Mpfr load_mpfr() {
    Mpfr m{};
#define CROUT_MPFR_BIND(name) m.name = &::mpfr_##name;
    CROUT_MPFR_FUNCTIONS(CROUT_MPFR_BIND)
#undef CROUT_MPFR_BIND
    return m;
}

} // namespace runtime
