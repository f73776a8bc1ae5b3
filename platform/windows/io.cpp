#include "platform/io.hpp"

#include <string>

#include <windows.h>

#include "platform/windows/text.hpp"

namespace platform {

namespace {

IoError family_of(DWORD error) {
    switch (error) {
    case ERROR_SUCCESS: return kNoError;
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_DISK_FULL:
    case ERROR_FILE_TOO_LARGE: return kNoSpace;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_NETWORK_ACCESS_DENIED: return kAccessDenied;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return kFileExists;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH: return kNotFound;
    case ERROR_TOO_MANY_OPEN_FILES: return kTooManyFiles;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_PARAMETER: return kInvalidArgument;
    default: return kOtherError; // ERROR_BROKEN_PIPE, ERROR_NO_DATA, ERROR_INVALID_FUNCTION...
    }
}

// The standard handles are looked up at each call. A real handle is a multiple of 4 and never
// 0, so the numbers 0 to 2 cannot stand for anything else.
HANDLE native(Handle handle) {
    switch (handle) {
    case kStdin: return GetStdHandle(STD_INPUT_HANDLE);
    case kStdout: return GetStdHandle(STD_OUTPUT_HANDLE);
    case kStderr: return GetStdHandle(STD_ERROR_HANDLE);
    default: return reinterpret_cast<HANDLE>(handle);
    }
}

constexpr DWORD kMaxChunk = 1u << 30;

DWORD chunk(std::size_t size) {
    return size < kMaxChunk ? static_cast<DWORD>(size) : kMaxChunk;
}

// Ctrl-C or Ctrl-Break at a console ends a console read at once with no bytes and the error
// ERROR_OPERATION_ABORTED, while the console runs the process's control handlers on a thread of
// their own; the default handler ends the process with STATUS_CONTROL_C_EXIT (C000013A). Taken
// for end of file, the empty read would race that thread, and the reader would answer with an
// end-of-file report. So such a read is not end of file: after a moment for the handler, the
// console is read again; the handler ends the process meanwhile. Where the process ignores
// Ctrl-C (it can inherit that from its parent), nothing ends it and the read goes on, as
// console programs do there. A line that begins with Ctrl-Z gives no bytes and no error: end
// of file. Wine's console does not end a read this way, so no test under Wine can show it.
bool is_aborted_console_read(HANDLE h, DWORD got, DWORD error) {
    DWORD mode = 0;
    return got == 0 && error == ERROR_OPERATION_ABORTED && GetConsoleMode(h, &mode) != 0;
}

constexpr DWORD kControlHandlerWaitMs = 100;

} // namespace

IoResult read_once(Handle handle, char* buffer, std::size_t size) {
    const HANDLE h = native(handle);
    DWORD got = 0;
    BOOL read = FALSE;
    DWORD error = ERROR_SUCCESS;
    for (;;) {
        SetLastError(ERROR_SUCCESS);
        read = ReadFile(h, buffer, chunk(size), &got, nullptr);
        error = GetLastError();
        if (!is_aborted_console_read(h, got, error)) break;
        Sleep(kControlHandlerWaitMs);
    }
    if (read) return {static_cast<long>(got), kNoError};
    // A pipe whose writer has gone, or a file read at its end: end of input.
    if (error == ERROR_BROKEN_PIPE || error == ERROR_HANDLE_EOF) return {0, kNoError};
    return {0, family_of(error)};
}

IoResult write_all(Handle handle, const char* data, std::size_t size) {
    const HANDLE h = native(handle);
    std::size_t done = 0;
    while (done < size) {
        DWORD wrote = 0;
        if (!WriteFile(h, data + done, chunk(size - done), &wrote, nullptr))
            return {static_cast<long>(done), family_of(GetLastError())};
        if (wrote == 0) return {static_cast<long>(done), kOtherError};
        done += wrote;
    }
    return {static_cast<long>(done), kNoError};
}

bool is_terminal(Handle handle) {
    DWORD mode = 0;
    return GetConsoleMode(native(handle), &mode) != 0;
}

// Anything that the name is known to stand for exists, also what has no attributes to show (a
// device, for instance): only a missing file or folder does not.
bool file_exists(const char* name) {
    if (GetFileAttributesW(wide(name).c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    const DWORD error = GetLastError();
    return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
}

OpenResult open_file(const char* name, Access access, bool create) {
    const std::wstring path = wide(name);
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return {kNoHandle, kAccessDenied};
    DWORD desired = GENERIC_READ | GENERIC_WRITE;
    if (access == Access::ReadOnly) desired = GENERIC_READ;
    if (access == Access::WriteOnly) desired = GENERIC_WRITE;
    // Not inheritable (no security attributes): commands run from a pause do not get it.
    const HANDLE h =
        CreateFileW(path.c_str(), desired, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    create ? CREATE_NEW : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return {kNoHandle, family_of(GetLastError())};
    return {reinterpret_cast<Handle>(h), kNoError};
}

IoError cut_file(Handle handle, std::int64_t length) {
    const HANDLE h = native(handle);
    LARGE_INTEGER here{}, zero{}, end{};
    end.QuadPart = length;
    if (!SetFilePointerEx(h, zero, &here, FILE_CURRENT)) return family_of(GetLastError());
    if (!SetFilePointerEx(h, end, nullptr, FILE_BEGIN)) return family_of(GetLastError());
    const BOOL cut = SetEndOfFile(h);
    const DWORD error = GetLastError();
    SetFilePointerEx(h, here, nullptr, FILE_BEGIN);
    return cut ? kNoError : family_of(error);
}

IoError close_file(Handle handle) {
    return CloseHandle(native(handle)) ? kNoError : family_of(GetLastError());
}

} // namespace platform
