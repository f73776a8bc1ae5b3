#pragma once
// Ending the process and running commands.

namespace platform {

// Ends the process with the status after running the at-exit steps.
[[noreturn]] void exit_process(int status);

// Ends the process at once: no at-exit steps, no flushing.
[[noreturn]] void quick_exit_process(int status);

// Registers a step to run at exit (in the reverse order of registration); false if no room.
bool at_exit(void (*step)());

// Runs command through /bin/sh -c and waits for it, as system() does; the outcome is ignored.
// Unlike system(), SIGINT and SIGQUIT are not ignored meanwhile, and the command gets the
// default action for SIGPIPE.
void run_command(const char* command);

} // namespace platform
