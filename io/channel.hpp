#pragma once
// Where a unit's bytes go: a standard handle or an opened file. Tests put a recording channel
// in its place.

#include <cstddef>
#include <cstdint>

#include "platform/io.hpp"

namespace io {

class Channel {
public:
    virtual ~Channel() = default;
    // Writes all bytes unless the system fails; the result says how far it got.
    virtual platform::IoResult write(const char* data, std::size_t size) = 0;
    // Cuts the file to length bytes: 0 or errno.
    virtual int cut(std::int64_t length) = 0;
    // Closes the handle: 0 or errno.
    virtual int close() = 0;
};

// A channel over an operating-system handle.
class HandleChannel final : public Channel {
public:
    explicit HandleChannel(int fd) : fd_(fd) {}
    platform::IoResult write(const char* data, std::size_t size) override {
        return platform::write_all(fd_, data, size);
    }
    int cut(std::int64_t length) override { return platform::cut_file(fd_, length); }
    int close() override { return platform::close_file(fd_); }
    int fd() const { return fd_; }

private:
    int fd_;
};

} // namespace io
