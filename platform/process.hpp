#pragma once
// Ending the process and running commands.

namespace platform {

// The exit status that tells an exception code: the code itself on Windows, its low byte on
// POSIX, whose exit statuses keep 8 bits.
int exception_status(unsigned long code);

// Ends the process with the status after running the at-exit steps.
[[noreturn]] void exit_process(int status);

// Ends the process at once: no at-exit steps, no flushing.
[[noreturn]] void quick_exit_process(int status);

// Registers a step to run at exit (in the reverse order of registration); false if no room.
bool at_exit(void (*step)());

// Runs command through the command interpreter and waits for it; the outcome is ignored. On
// POSIX: /bin/sh -c, as system() does, except that SIGINT and SIGQUIT are not ignored meanwhile
// and the command gets the default action for SIGPIPE. On Windows: COMSPEC /c, else the system
// folder's cmd.exe, sharing the standard handles (standard error says so when neither starts);
// Ctrl-C ends both, but a program the command starts in the background outlives this one.
void run_command(const char* command);

} // namespace platform
