#pragma once
// Input for the console's reading side as the system hands it out, for the option scanner's
// test and fuzz target: a terminal gives one typed line per read, a file as much as is asked
// for, a pipe pieces of 1 to 132 bytes, their sizes taken in turn from the bytes of
// piece_sizes. The read that reaches a byte FF fails. More reads than read_limit abort: a
// read call that takes no input.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "io/input/byte_source.hpp"

namespace testsupport {

struct ScriptedSource final : io::ByteSource {
    enum Mode { Terminal, File, Pipe };
    ScriptedSource(std::string_view input, Mode how, std::string_view piece_sizes = "\x83")
        : text(input), mode(how), sizes(piece_sizes) {}
    platform::IoResult read(char* buffer, std::size_t size) override {
        if (++reads > read_limit) std::abort();
        std::size_t stop = std::min(text.find('\xff', at), text.size());
        if (stop == at && at < text.size()) return {-1, platform::kOtherError};
        if (std::size_t lf = text.find('\n', at); mode == Terminal && lf < stop) stop = lf + 1;
        std::size_t count = std::min(size, stop - at);
        const auto piece = static_cast<std::uint8_t>(sizes[reads % sizes.size()]);
        if (mode == Pipe) count = std::min<std::size_t>(count, 1 + piece % 132);
        std::memcpy(buffer, text.data() + at, count);
        at += count;
        return {static_cast<long>(count), platform::kNoError};
    }
    std::string_view text;
    Mode mode;
    std::string_view sizes;
    std::size_t at = 0, reads = 0, read_limit = SIZE_MAX;
};

} // namespace testsupport
