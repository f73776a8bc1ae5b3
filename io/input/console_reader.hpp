#pragma once
// The console's reading side: a 132-byte line buffer refilled from a byte source, one read
// call at a time, with the end-of-file, read-failure and line-length faults.

#include <array>
#include <cstddef>

#include "io/input/byte_source.hpp"
#include "io/input/line_state.hpp"

namespace io {

class ConsoleReader {
public:
    // line is the reading descriptor's line state: the console unit's own when one descriptor
    // serves both directions, else a state of the reader's own.
    ConsoleReader(ByteSource& source, bool interactive, LineState& line);

    bool interactive() const { return interactive_; }
    LineState& line() { return line_; }

    // The next byte of input; refills the buffer when it is used up. Throws ReadFault with
    // EndOfFile (nothing read, or a line ended by Ctrl-Z), ReadFailed, or LineTooLong (a full
    // 132-byte terminal read that does not end in LF).
    unsigned char next();

    // Steps back one byte, so that next() gives it again.
    void step_back();

    // Ends the input line: at a terminal the rest of the typed line is thrown away (a line is
    // read first if none has been taken yet); otherwise bytes are taken up to and including
    // the next LF. Clears open_line.
    void end_input_line();

    // Redirected input: takes the rest of the line being read, up to and including its LF, so
    // that a line ended by Ctrl-Z is found (EndOfFile) wherever the reading stopped in it. At
    // a terminal the line was checked whole when it arrived, and nothing is taken.
    void finish_line();

    // Empties the buffer.
    void discard();

private:
    // One read call of up to 132 bytes into the emptied buffer, with the faults of the read.
    void refill();
    // The next byte without taking it; refills the buffer when it is used up.
    unsigned char peek();

    ByteSource& source_;
    bool interactive_;
    LineState& line_;
    std::array<char, kConsoleBufferSize + 1> buffer_{}; // +1: room for a supplied LF
    int position_ = 0;
    int last_ = -1;            // index of the last valid byte, -1 when empty
    bool inside_line_ = false; // the bytes read so far stop inside a line
    bool input_ended_ = false; // a read found the end of input inside a line
};

} // namespace io
