#include "platform/io.hpp"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

IoError family_of(int error) {
    switch (error) {
    case 0: return kNoError;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return kNoSpace;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case EAGAIN: return kAccessDenied; // EAGAIN: a mandatory lock
    case EEXIST: return kFileExists;
    case ENOENT:
    case ENOTDIR: return kNotFound;
    case EMFILE:
    case ENFILE: return kTooManyFiles;
    case EINVAL: return kInvalidArgument;
    default: return kOtherError;
    }
}

int fd_of(Handle handle) {
    return static_cast<int>(handle);
}

// A handle that the parent left non-blocking answers EAGAIN when it is not ready: that is no
// fault, so wait until it is.
bool waited_until_ready(int fd, short events) {
    if (errno != EAGAIN && errno != EWOULDBLOCK) return false;
    pollfd ready{fd, events, 0};
    while (::poll(&ready, 1, -1) < 0 && errno == EINTR) {
    }
    return true;
}

} // namespace

IoResult read_once(Handle handle, char* buffer, std::size_t size) {
    const int fd = fd_of(handle);
    for (;;) {
        ssize_t n = ::read(fd, buffer, size);
        if (n >= 0) return {static_cast<long>(n), kNoError};
        if (errno != EINTR && !waited_until_ready(fd, POLLIN)) return {0, family_of(errno)};
    }
}

IoResult write_all(Handle handle, const char* data, std::size_t size) {
    const int fd = fd_of(handle);
    std::size_t done = 0;
    while (done < size) {
        ssize_t n = ::write(fd, data + done, size - done);
        if (n < 0) {
            if (errno == EINTR || waited_until_ready(fd, POLLOUT)) continue;
            return {static_cast<long>(done), family_of(errno)};
        }
        if (n == 0) return {static_cast<long>(done), kOtherError};
        done += static_cast<std::size_t>(n);
    }
    return {static_cast<long>(done), kNoError};
}

bool is_terminal(Handle handle) {
    return ::isatty(fd_of(handle)) == 1;
}

bool file_exists(const char* name) {
    struct stat st;
    return ::stat(name, &st) == 0;
}

OpenResult open_file(const char* name, Access access, bool create) {
    int flags = O_CLOEXEC;
    switch (access) {
    case Access::ReadWrite: flags |= O_RDWR; break;
    case Access::ReadOnly: flags |= O_RDONLY; break;
    case Access::WriteOnly: flags |= O_WRONLY; break;
    }
    if (create) flags |= O_CREAT | O_EXCL;
    int fd;
    do {
        fd = ::open(name, flags, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return {kNoHandle, family_of(errno)};
    if (fd <= kStderr) {
        // A standard handle was closed: keep the file off it, so that nothing meant for the
        // console or for reports lands in the file. With no descriptor left above them, the
        // open fails, and a file it created goes with it.
        int moved = ::fcntl(fd, F_DUPFD_CLOEXEC, kStderr + 1);
        int saved = errno;
        ::close(fd);
        if (moved < 0 && create) ::unlink(name);
        if (moved < 0) return {kNoHandle, family_of(saved)};
        fd = moved;
    }
    struct stat st;
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        return {kNoHandle, kAccessDenied};
    }
    return {fd, kNoError};
}

IoError cut_file(Handle handle, std::int64_t length) {
    for (;;) {
        if (::ftruncate(fd_of(handle), static_cast<off_t>(length)) == 0) return kNoError;
        if (errno != EINTR) return family_of(errno);
    }
}

IoError close_file(Handle handle) {
    return ::close(fd_of(handle)) == 0 ? kNoError : family_of(errno);
}

} // namespace platform
