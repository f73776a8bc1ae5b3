#include "platform/io.hpp"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

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

IoResult read_once(int fd, char* buffer, std::size_t size) {
    for (;;) {
        ssize_t n = ::read(fd, buffer, size);
        if (n >= 0) return {static_cast<long>(n), 0};
        if (errno != EINTR && !waited_until_ready(fd, POLLIN)) return {0, errno};
    }
}

IoResult write_all(int fd, const char* data, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        ssize_t n = ::write(fd, data + done, size - done);
        if (n < 0) {
            if (errno == EINTR || waited_until_ready(fd, POLLOUT)) continue;
            return {static_cast<long>(done), errno};
        }
        if (n == 0) return {static_cast<long>(done), EIO};
        done += static_cast<std::size_t>(n);
    }
    return {static_cast<long>(done), 0};
}

bool is_terminal(int fd) {
    return ::isatty(fd) == 1;
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
    if (fd < 0) return {-1, errno};
    if (fd <= kStderr) {
        // A standard handle was closed: keep the file off it, so that nothing meant for the
        // console or for reports lands in the file.
        int moved = ::fcntl(fd, F_DUPFD_CLOEXEC, kStderr + 1);
        int saved = errno;
        ::close(fd);
        if (moved < 0) return {-1, saved};
        fd = moved;
    }
    struct stat st;
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        return {-1, EISDIR};
    }
    return {fd, 0};
}

int cut_file(int fd, std::int64_t length) {
    for (;;) {
        if (::ftruncate(fd, static_cast<off_t>(length)) == 0) return 0;
        if (errno != EINTR) return errno;
    }
}

int close_file(int fd) {
    return ::close(fd) == 0 ? 0 : errno;
}

} // namespace platform
