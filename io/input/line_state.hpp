#pragma once
// The console's line: the state a descriptor's line is in, which the reading and writing sides
// share when one terminal serves both, and the length of the console's line buffer.

#include <cstddef>

namespace io {

// The line state of a descriptor. When standard input and output are both terminals the
// console's reading side shares it with the writing side.
struct LineState {
    bool open_line = false;    // console: a record's line is not ended yet;
                               // file: writing state (cut or newly created)
    bool control_done = false; // console: the current record's first character was taken
};

// The console's line buffer, on both sides: a read call takes at most this many bytes, and a
// console record is written out in pieces of this size.
inline constexpr std::size_t kConsoleBufferSize = 132;

} // namespace io
