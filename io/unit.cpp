#include "io/unit.hpp"

#include <cerrno>
#include <utility>

#include "runtime/error_report.hpp"
#include "runtime/statement.hpp"

namespace io {

using runtime::ErrorCode;

namespace {

// The fault for a failed write or cut, or none when the failure is not reported.
enum class WriteFault { None, DiskFull, AccessDenied, Other };

WriteFault classify(int error) {
    switch (error) {
    case 0: return WriteFault::None;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return WriteFault::DiskFull;
    case EACCES:
    case EPERM:
    case EROFS:
    case EAGAIN: return WriteFault::AccessDenied;
    default: return WriteFault::Other;
    }
}

// The carriage-control bytes written in front of a console record whose first character is
// control, with or without an open line.
constexpr std::string_view carriage_control(char control, bool line_open) {
    switch (control) {
    case '0': return line_open ? std::string_view("\r\n\r\n") : std::string_view("\r\n");
    case '1': return std::string_view("\r\n\f\b \r", 6);
    case '+': return "\r";
    default: return line_open ? std::string_view("\r\n") : std::string_view();
    }
}
static_assert(carriage_control(' ', true) == "\r\n" && carriage_control(' ', false).empty());
static_assert(carriage_control('x', true) == "\r\n" && carriage_control('x', false).empty());
static_assert(carriage_control('0', true) == "\r\n\r\n" && carriage_control('0', false) == "\r\n");
static_assert(carriage_control('1', false) == std::string_view("\r\n\f\b \r", 6));
static_assert(carriage_control('+', true) == "\r" && carriage_control('+', false) == "\r");

} // namespace

Unit::Unit(int number, std::string name, UnitKind kind, std::size_t capacity,
           std::unique_ptr<Channel> channel)
    : number_(number), name_(std::move(name)), kind_(kind), buffer_(capacity),
      channel_(std::move(channel)) {}

void Unit::begin_write() {
    runtime::begin_statement(runtime::StatementKind::Write, name_, is_console());
    if (is_console()) return;
    if (read_only_) {
        runtime::FF_error(ErrorCode::WriteAccessDenied);
        return;
    }
    if (!line_.open_line) {
        // An existing file keeps its old contents until the first record: cut it here.
        switch (classify(channel_->cut(file_offset_))) {
        case WriteFault::DiskFull: runtime::FF_error(ErrorCode::WriteDiskFull); return;
        case WriteFault::AccessDenied: runtime::FF_error(ErrorCode::WriteAccessDenied); return;
        default: break; // a device or a pipe cannot be cut, and nothing is lost by that
        }
        line_.open_line = true;
    }
}

void Unit::put_chars(std::string_view text) {
    while (pending_blanks_ > 0) {
        --pending_blanks_;
        store(" ", 1);
    }
    store(text.data(), text.size());
}

void Unit::store(const char* data, std::size_t size) {
    record_length_ += size;
    while (size > 0) {
        if (position_ == buffer_.size()) {
            if (is_console())
                write_out_console_chunk();
            else
                write_out_buffer();
        }
        std::size_t room = buffer_.size() - position_;
        std::size_t n = size < room ? size : room;
        std::copy(data, data + n, buffer_.begin() + static_cast<std::ptrdiff_t>(position_));
        position_ += n;
        data += n;
        size -= n;
        dirty_ = true;
    }
}

void Unit::end_record() {
    if (is_console()) {
        if (record_length_ == 0 && pending_blanks_ == 0) pending_blanks_ = 1;
        put_chars({});
        write_out_console_chunk();
        line_.open_line = true;
        line_.control_done = false;
    } else {
        put_chars("\r\n");
    }
    record_length_ = 0;
}

void Unit::write_out_console_chunk() {
    std::size_t used = position_;
    position_ = 0;
    dirty_ = false;
    if (used == 0) return;
    if (line_.control_done) {
        write_bytes(buffer_.data(), used);
        return;
    }
    line_.control_done = true;
    std::string out(carriage_control(buffer_[0], line_.open_line));
    out.append(buffer_.data() + 1, used - 1);
    write_bytes(out.data(), out.size());
}

bool Unit::write_out_buffer() {
    std::size_t used = position_;
    position_ = 0;
    dirty_ = false;
    if (used == 0) return true;
    if (!write_bytes(buffer_.data(), used)) return false;
    file_offset_ += static_cast<std::int64_t>(used);
    return true;
}

bool Unit::write_bytes(const char* data, std::size_t size) {
    platform::IoResult result = channel_->write(data, size);
    switch (classify(result.error)) {
    case WriteFault::None: return true;
    case WriteFault::DiskFull: runtime::FF_error(ErrorCode::WriteDiskFull); return false;
    case WriteFault::AccessDenied: runtime::FF_error(ErrorCode::WriteAccessDenied); return false;
    case WriteFault::Other:
        // A console that has gone away (a broken pipe) loses its output and the run goes on;
        // the report file never loses records silently.
        if (is_console()) return true;
        runtime::FF_error(ErrorCode::WriteAccessDenied);
        return false;
    }
    return false;
}

void Unit::flush() {
    if (dirty_ && !is_console()) write_out_buffer();
}

void Unit::write_direct(std::string_view bytes) {
    write_bytes(bytes.data(), bytes.size());
}

bool Unit::close() {
    if (line_.open_line) {
        // A closing stops at the first fault: what is left stays as it is.
        if (dirty_ && !write_out_buffer()) return false;
        if (is_console() && !write_bytes("\r\n", 2)) return false;
        line_.open_line = false;
    }
    if (!is_console()) channel_->close();
    return true;
}

void Unit::forget_record() {
    dirty_ = false;
    position_ = 0;
    record_length_ = 0;
    pending_blanks_ = 0;
}

} // namespace io
