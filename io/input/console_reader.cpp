// The console's reading side (console_reader.hpp): the 132-byte line buffer, refilled one read
// call at a time, and the faults of a read.

#include "io/input/console_reader.hpp"

#include "io/input/read_fault.hpp"

namespace io {

using runtime::ErrorCode;

namespace {

constexpr unsigned char kCtrlZ = 0x1A;

} // namespace

ConsoleReader::ConsoleReader(ByteSource& source, bool interactive, LineState& line)
    : source_(source), interactive_(interactive), line_(line) {}

unsigned char ConsoleReader::next() {
    if (position_ > last_) refill();
    const auto c = static_cast<unsigned char>(buffer_[static_cast<std::size_t>(position_++)]);
    // A terminal line is checked for Ctrl-Z as a whole when it arrives. Redirected input is
    // read in pieces that do not follow its lines, so there a line ends the input when its
    // last byte before the line end is Ctrl-Z, found as the reading reaches it.
    if (c == kCtrlZ && !interactive_ && is_line_end(peek())) fault(ErrorCode::EndOfFile);
    return c;
}

unsigned char ConsoleReader::peek() {
    if (position_ > last_) refill(); // leaves the position at 0: the byte is not taken
    return static_cast<unsigned char>(buffer_[static_cast<std::size_t>(position_)]);
}

void ConsoleReader::step_back() {
    if (position_ > 0) --position_;
}

void ConsoleReader::end_input_line() {
    if (interactive_) {
        // A typed line arrives whole: unless a line has been started, read one, then drop
        // whatever is left of it.
        if (position_ == 0 && last_ < 0) refill();
        discard();
    } else {
        while (next() != '\n') {
        }
    }
    line_.open_line = false;
}

void ConsoleReader::finish_line() {
    if (interactive_) return;
    // Position 0 with bytes in the buffer: a look past a Ctrl-Z refilled it.
    const bool at_line_start =
        position_ > 0 ? buffer_[static_cast<std::size_t>(position_ - 1)] == '\n' : last_ < 0;
    if (!at_line_start) end_input_line();
}

void ConsoleReader::discard() {
    position_ = 0;
    last_ = -1;
}

void ConsoleReader::refill() {
    discard();
    if (input_ended_) fault(ErrorCode::EndOfFile); // nothing is read after the end of input
    const platform::IoResult got = source_.read(buffer_.data(), kConsoleBufferSize);
    if (got.error != 0 || got.count < 0) fault(ErrorCode::ReadFailed);
    if (got.count == 0) {
        // The end of input may come in the middle of a line: that line still ends.
        if (!inside_line_) fault(ErrorCode::EndOfFile);
        buffer_[0] = '\n';
        last_ = 0;
        inside_line_ = false;
        input_ended_ = true;
        return;
    }
    const auto count = static_cast<std::size_t>(got.count);
    last_ = static_cast<int>(count) - 1;

    const auto byte = [this](int index) {
        return static_cast<unsigned char>(buffer_[static_cast<std::size_t>(index)]);
    };
    // Redirected input comes in pieces as its writer wrote them: a piece that stops inside a
    // line only means that the rest of the line is yet to come.
    inside_line_ = byte(last_) != '\n';
    if (!interactive_) return;

    // A typed line comes whole: one that stops without a line end was ended by Ctrl-D.
    if (count < kConsoleBufferSize && byte(last_) != '\n') {
        buffer_[static_cast<std::size_t>(++last_)] = '\n';
        inside_line_ = false;
    }

    // The line end of a typed line: LF, or CR LF.
    const int line_end = byte(last_) == '\n' && last_ > 0 && byte(last_ - 1) == '\r' ? last_ - 1
                         : byte(last_) == '\n'                                       ? last_
                                                                                     : -1;
    // At most 130 characters fit before the line end, whether it is CR LF or LF alone; a
    // full buffer with anything else in its last two bytes is a line too long.
    if (count == kConsoleBufferSize && line_end != last_ - 1) fault(ErrorCode::LineTooLong);
    // A line ended by Ctrl-Z and Enter ends the input, whatever was typed before the Ctrl-Z.
    if (line_end > 0 && byte(line_end - 1) == kCtrlZ) fault(ErrorCode::EndOfFile);
}

} // namespace io
