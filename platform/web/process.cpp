// Ending the module, and the commands a pause reply names, which WebAssembly cannot run.

#include "platform/process.hpp"

#include <cstdlib>
#include <cstring>

#include "platform/io.hpp"

namespace platform {

int exception_status(unsigned long code) {
    return static_cast<int>(code & 0xFF);
}

void quick_exit_process(int status) {
    std::_Exit(status);
}

// There is no command interpreter in a browser: the reply runs nothing, and standard error says
// so, so that the user does not wait for output that cannot come.
void run_command(const char*) {
    static constexpr char kNotRun[] = "The command was not run: this build runs no commands.\n";
    write_all(kStderr, kNotRun, std::strlen(kNotRun));
}

} // namespace platform
