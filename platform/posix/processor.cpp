// The processor's features from the C library, which found at its start-up which ones the
// processor has and the system keeps (GNU libc on x86-64); none elsewhere.
#include "platform/processor.hpp"

#if defined(__x86_64__) && __has_include(<sys/platform/x86.h>)
#include <sys/platform/x86.h>
#define CROUT_PROCESSOR_FEATURES_KNOWN 1
#else
#define CROUT_PROCESSOR_FEATURES_KNOWN 0
#endif

namespace platform {

bool processor_runs_avx2() {
#if CROUT_PROCESSOR_FEATURES_KNOWN
    return CPU_FEATURE_ACTIVE(AVX2);
#else
    return false;
#endif
}

} // namespace platform
