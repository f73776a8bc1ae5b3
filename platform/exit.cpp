// The parts of ending the process that the C++ library gives alike on every platform.

#include "platform/process.hpp"

#include <cstdlib>

namespace platform {

void exit_process(int status) {
    std::exit(status);
}

bool at_exit(void (*step)()) {
    return std::atexit(step) == 0;
}

} // namespace platform
