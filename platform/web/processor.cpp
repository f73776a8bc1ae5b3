// WebAssembly's processor features: its kernels use none.
#include "platform/processor.hpp"

namespace platform {

bool processor_runs_avx2() {
    return false;
}

} // namespace platform
