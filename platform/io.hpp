#pragma once
// Standard handles and files: the system calls behind the units. Nothing here knows about
// records or reports; each call says what the system did, in the failure families that the
// run-time's reports tell apart.

#include <cstddef>
#include <cstdint>

namespace platform {

// An operating-system handle: a file descriptor on POSIX, a HANDLE on Windows.
using Handle = std::intptr_t;
inline constexpr Handle kNoHandle = -1;

// The standard handles. On Windows they stand for the process's current standard handles.
inline constexpr Handle kStdin = 0;
inline constexpr Handle kStdout = 1;
inline constexpr Handle kStderr = 2;

// Why a call failed. Each platform maps its own error codes onto these families.
enum IoError : int {
    kNoError = 0,
    kNoSpace,         // no space left, a quota or a file-size limit reached
    kAccessDenied,    // access, sharing or lock violation; a read-only file system; a folder
    kFileExists,      // an exclusive creation found the file
    kNotFound,        // the file or a folder on its path is missing
    kTooManyFiles,    // no handle left
    kInvalidArgument, // a name or an argument the system refuses
    kOtherError,      // anything else: a broken pipe, a device that cannot be cut...
};

struct IoResult {
    long count = 0;           // bytes transferred
    IoError error = kNoError; // why the call failed
};

// One read call, retried when a signal interrupted it or when a non-blocking handle was not
// ready (it then waits until it is). count 0 with no error is end of file.
IoResult read_once(Handle handle, char* buffer, std::size_t size);

// Writes all of data unless a call fails; count says how much went out before the failure. A
// non-blocking handle that is not ready is waited for.
IoResult write_all(Handle handle, const char* data, std::size_t size);

// The handle is an interactive terminal (a console on Windows).
bool is_terminal(Handle handle);

bool file_exists(const char* name);

enum class Access { ReadWrite, ReadOnly, WriteOnly };

struct OpenResult {
    Handle handle = kNoHandle;
    IoError error = kNoError;
};

// Creates a new file (exclusive creation, ordinary attributes) or opens an existing one,
// without truncating it, in binary mode, shared with other processes for reading and writing.
// A folder is refused as access denied, whatever the access. The handle is not inherited by
// commands the program runs.
OpenResult open_file(const char* name, Access access, bool create);

// Cuts the file to length bytes; the file position stays where it was.
IoError cut_file(Handle handle, std::int64_t length);

IoError close_file(Handle handle);

} // namespace platform
