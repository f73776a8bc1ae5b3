// The processor's features on Windows: none is used. On x86-64 the system does not keep the
// stack aligned for 32-byte spills, which AVX2 code compiled here would need.
#include "platform/processor.hpp"

namespace platform {

bool processor_runs_avx2() {
    return false;
}

} // namespace platform
