// The option reader over any bytes, typed at a terminal, read from a file or delivered by a pipe
// in pieces: each read gives a value or a null value until one of the read faults ends the
// input, and every read call but the last takes input, so the calls are bounded by its size.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "io/input/option_scanner.hpp"
#include "io/input/read_fault.hpp"
#include "tests/fuzz/fail.hpp"

namespace {

enum Mode { Terminal, File, Pipe };

// Serves the bytes of text after its first, which chooses the mode. A terminal gives one line per
// read (its first 132 bytes when longer), a file as much as is asked for, a pipe pieces of 1 to
// 132 bytes, their sizes taken from text's bytes from its last one back. The read that reaches a
// byte FF fails.
struct FuzzSource final : io::ByteSource {
    platform::IoResult read(char* buffer, std::size_t size) override {
        if (++reads > text.size()) fail("a read call that takes no input");
        std::size_t stop = std::min(text.find('\xff', at), text.size());
        if (stop == at && at < text.size()) return {-1, platform::kOtherError};
        if (std::size_t lf = text.find('\n', at); mode == Terminal && lf < stop) stop = lf + 1;
        std::size_t count = std::min(size, stop - at);
        const auto piece = static_cast<std::uint8_t>(text[text.size() - 1 - reads % text.size()]);
        if (mode == Pipe) count = std::min<std::size_t>(count, 1 + piece % 132);
        std::memcpy(buffer, text.data() + at, count);
        at += count;
        return {static_cast<long>(count), platform::kNoError};
    }
    Mode mode = Terminal;
    std::string_view text;
    std::size_t at = 1, reads = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    FuzzSource source;
    source.mode = static_cast<Mode>(data[0] % 3);
    source.text = {reinterpret_cast<const char*>(data), size};
    io::LineState line{.open_line = true};
    io::ConsoleReader reader(source, source.mode == Terminal, line);
    try {
        for (;;) io::scan_integer_item(reader);
    } catch (const io::ReadFault& fault) {
        constexpr int kReadFaults[] = {6100, 6101, 6302, 6303, 6407, 6500, 6501, 6502, 6503, 6504};
        const int number = runtime::displayed_number(fault.code);
        if (std::count(std::begin(kReadFaults), std::end(kReadFaults), number) == 0 ||
            (number == 6407 && source.mode != Terminal))
            fail("fault " + std::to_string(number) + " in mode " + std::to_string(source.mode));
    }
    return 0;
}
