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
    // Cuts the file to length bytes.
    virtual platform::IoError cut(std::int64_t length) = 0;
    // Closes the handle.
    virtual platform::IoError close() = 0;
};

// A channel over an operating-system handle.
class HandleChannel final : public Channel {
public:
    explicit HandleChannel(platform::Handle handle) : handle_(handle) {}
    platform::IoResult write(const char* data, std::size_t size) override {
        return platform::write_all(handle_, data, size);
    }
    platform::IoError cut(std::int64_t length) override {
        return platform::cut_file(handle_, length);
    }
    platform::IoError close() override { return platform::close_file(handle_); }
    platform::Handle handle() const { return handle_; }

private:
    platform::Handle handle_;
};

} // namespace io
