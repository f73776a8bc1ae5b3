#pragma once
// Standard handles and files: the system calls behind the units. Nothing here knows about
// records or reports; each call says what the system did, with its errno.

#include <cstddef>
#include <cstdint>

namespace platform {

inline constexpr int kStdin = 0;
inline constexpr int kStdout = 1;
inline constexpr int kStderr = 2;

struct IoResult {
    long count = 0; // bytes transferred
    int error = 0;  // errno of the failing call, 0 when all went well
};

// One read call, retried when a signal interrupted it or when a non-blocking handle was not
// ready (it then waits until it is). count 0 with error 0 is end of file.
IoResult read_once(int fd, char* buffer, std::size_t size);

// Writes all of data unless a call fails; count says how much went out before the failure. A
// non-blocking handle that is not ready is waited for.
IoResult write_all(int fd, const char* data, std::size_t size);

// The handle is an interactive terminal.
bool is_terminal(int fd);

bool file_exists(const char* name);

enum class Access { ReadWrite, ReadOnly, WriteOnly };

struct OpenResult {
    int fd = -1;
    int error = 0;
};

// Creates a new file (exclusive creation, mode 0666 less the umask) or opens an existing one,
// without truncating it. A folder is refused with EISDIR, whatever the access.
OpenResult open_file(const char* name, Access access, bool create);

// Cuts the file to length bytes; returns 0 or errno.
int cut_file(int fd, std::int64_t length);

// Closes the handle; returns 0 or errno.
int close_file(int fd);

} // namespace platform
