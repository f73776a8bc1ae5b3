// The build's answer where the kernel's AVX2 form is not compiled: there is none.
#include "linalg/crout_kernel.hpp"

namespace linalg::kernel {

const Form avx2_form = nullptr;

} // namespace linalg::kernel
