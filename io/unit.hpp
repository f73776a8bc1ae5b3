#pragma once
// A unit: a connected file or the console, with its record buffer and line state.
//
// Records are written with put_chars and end_record inside a write statement (begin_write).
// The report file keeps every character of a record followed by CR LF. The console takes the
// first character of each record as carriage control: it picks the line-break bytes written in
// front of the rest of the record, so a console line is broken before its record, not after.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "io/channel.hpp"
#include "io/input/line_state.hpp"
#include "runtime/error_codes.hpp"

namespace io {

enum class UnitKind { Terminal, Sequential };

// A file's record buffer; the console's is kConsoleBufferSize (input/line_state.hpp).
inline constexpr std::size_t kFileBufferSize = 1024;

class Unit {
public:
    Unit(int number, std::string name, UnitKind kind, std::size_t capacity,
         std::unique_ptr<Channel> channel);

    int number() const { return number_; }
    const std::string& name() const { return name_; }
    bool is_console() const { return kind_ == UnitKind::Terminal; }

    LineState& line() { return line_; }
    const LineState& line() const { return line_; }
    bool dirty() const { return dirty_; }
    void set_read_only(bool read_only) { read_only_ = read_only; }

    // Starts a write statement on this unit. On a file whose old contents are still there,
    // the first write statement cuts it to the current position (its start).
    void begin_write();

    // Stores text in the current record, writing the buffer out whenever it fills.
    void put_chars(std::string_view text);

    // Finishes the current record: CR LF on a file; carriage control on the console.
    void end_record();

    // Writes out what the buffer holds, so that nothing waits in memory while the program
    // waits for the user. A file goes on filling the buffer from its start.
    void flush();

    // Writes bytes straight to the handle, outside the record buffer (the line end before a
    // read or a pause, the pause prompt).
    void write_direct(std::string_view bytes);

    // Closes the unit: the buffer is written out (and the console's line ended), then a file's
    // handle is closed. A write that fails stops the closing and its fault is returned, for the
    // caller to report: the CLOSE statement ends the run with it, the closing at exit reports
    // it and stops there.
    std::optional<runtime::ErrorCode> close();

private:
    void write_out_console_chunk();
    // The used part of the buffer as it is.
    std::optional<runtime::ErrorCode> write_out_buffer();
    std::optional<runtime::ErrorCode> write_bytes(const char* data, std::size_t size);

    int number_;
    std::string name_;
    UnitKind kind_;
    std::vector<char> buffer_;
    std::size_t position_ = 0;     // next byte to fill
    std::int64_t file_offset_ = 0; // file position of buffer_[0]
    std::size_t record_length_ = 0;
    bool dirty_ = false;
    bool read_only_ = false;
    LineState line_;
    std::unique_ptr<Channel> channel_;
};

} // namespace io
