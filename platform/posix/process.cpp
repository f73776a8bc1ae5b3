#include "platform/process.hpp"

#include <cerrno>
#include <csignal>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace platform {

int exception_status(unsigned long code) {
    return static_cast<int>(code & 0xFF);
}

void quick_exit_process(int status) {
    ::_exit(status);
}

// What system() does, but for two signals. The command gets the default action for SIGPIPE
// back, since this process ignores it and an ignored signal would pass to the command. And
// this process does not ignore SIGINT and SIGQUIT while it waits: Ctrl-C at the terminal
// reaches the command and the program alike, and ends both at once.
void run_command(const char* command) {
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigdefault(&attr, &defaults);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGDEF);

    char sh[] = "sh";
    char dash_c[] = "-c";
    char* argv[] = {sh, dash_c, const_cast<char*>(command), nullptr};
    pid_t pid = -1;
    if (posix_spawn(&pid, "/bin/sh", nullptr, &attr, argv, environ) == 0) {
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }
    posix_spawnattr_destroy(&attr);
}

} // namespace platform
