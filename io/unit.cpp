// A unit's writing side (unit.hpp): the record buffer, the carriage control of console records,
// and the faults of a write, a cut and a close.
//
// Sections, in order:
//   faults            the write and cut failures that end the run, and those passed over
//   carriage control  the line-break bytes in front of a console record, checked when compiled
//   records           begin_write, put_chars and end_record
//   writing out       a console chunk, a file's buffer, flush and write_direct
//   closing           close

#include "io/unit.hpp"

#include <optional>
#include <utility>

#include "runtime/error_report.hpp"
#include "runtime/statement.hpp"

namespace io {

using runtime::ErrorCode;

namespace {

// The fault of a failed cut: the two families that lose data. Anything else (a device or a pipe
// cannot be cut) loses nothing and is passed over.
std::optional<ErrorCode> cut_fault(platform::IoError error) {
    switch (error) {
    case platform::kNoSpace: return ErrorCode::WriteDiskFull;
    case platform::kAccessDenied: return ErrorCode::WriteAccessDenied;
    default: return std::nullopt;
    }
}

// The fault of a failed write. A console that has gone away (a broken pipe) loses its output
// and the run goes on; the report file never loses records silently.
std::optional<ErrorCode> write_fault(platform::IoError error, bool console) {
    if (error == platform::kNoError) return std::nullopt;
    if (std::optional<ErrorCode> fault = cut_fault(error)) return fault;
    if (console) return std::nullopt;
    return ErrorCode::WriteAccessDenied;
}

void end_on_fault(std::optional<ErrorCode> fault) {
    if (fault) runtime::end_run_with_error(*fault);
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
    runtime::begin_statement(runtime::StatementKind::Write, name_);
    if (is_console()) return;
    if (read_only_) runtime::end_run_with_error(ErrorCode::WriteAccessDenied);
    if (!line_.open_line) {
        // An existing file keeps its old contents until the first record: cut it here.
        end_on_fault(cut_fault(channel_->cut(file_offset_)));
        line_.open_line = true;
    }
}

void Unit::put_chars(std::string_view text) {
    const char* data = text.data();
    std::size_t size = text.size();
    record_length_ += size;
    while (size > 0) {
        if (position_ == buffer_.size()) {
            if (is_console())
                write_out_console_chunk();
            else
                end_on_fault(write_out_buffer());
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
        if (record_length_ == 0) put_chars(" "); // an empty record's carriage control
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
        end_on_fault(write_bytes(buffer_.data(), used));
        return;
    }
    line_.control_done = true;
    std::string out(carriage_control(buffer_[0], line_.open_line));
    out.append(buffer_.data() + 1, used - 1);
    end_on_fault(write_bytes(out.data(), out.size()));
}

std::optional<ErrorCode> Unit::write_out_buffer() {
    std::size_t used = position_;
    position_ = 0;
    dirty_ = false;
    if (used == 0) return std::nullopt;
    if (std::optional<ErrorCode> fault = write_bytes(buffer_.data(), used)) return fault;
    file_offset_ += static_cast<std::int64_t>(used);
    return std::nullopt;
}

std::optional<ErrorCode> Unit::write_bytes(const char* data, std::size_t size) {
    return write_fault(channel_->write(data, size).error, is_console());
}

void Unit::flush() {
    if (dirty_ && !is_console()) end_on_fault(write_out_buffer());
}

void Unit::write_direct(std::string_view bytes) {
    end_on_fault(write_bytes(bytes.data(), bytes.size()));
}

std::optional<ErrorCode> Unit::close() {
    if (line_.open_line) {
        // A closing stops at the first fault: what is left stays as it is.
        if (dirty_)
            if (std::optional<ErrorCode> fault = write_out_buffer()) return fault;
        if (is_console())
            if (std::optional<ErrorCode> fault = write_bytes("\r\n", 2)) return fault;
        line_.open_line = false;
    }
    if (!is_console()) channel_->close();
    return std::nullopt;
}

} // namespace io
