// The option reader over any bytes, typed at a terminal, read from a file or delivered by a pipe
// in pieces: each read gives a value or a null value until one of the read faults ends the
// input, and every read call but the last takes input, so the calls are bounded by its size.

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "io/input/option_scanner.hpp"
#include "io/input/read_fault.hpp"
#include "tests/fuzz/fail.hpp"
#include "tests/io/scripted_source.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // The first byte chooses the mode; the bytes of the input give the pipe's pieces.
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    testsupport::ScriptedSource source(
        text.substr(1), static_cast<testsupport::ScriptedSource::Mode>(data[0] % 3), text);
    source.read_limit = size;
    io::LineState line{.open_line = true};
    io::ConsoleReader reader(source, source.mode == source.Terminal, line);
    try {
        for (;;) io::scan_integer_item(reader);
    } catch (const io::ReadFault& fault) {
        constexpr int kReadFaults[] = {6100, 6101, 6302, 6303, 6407, 6500, 6501, 6502, 6503, 6504};
        const int number = runtime::displayed_number(fault.code);
        if (std::count(std::begin(kReadFaults), std::end(kReadFaults), number) == 0 ||
            (number == 6407 && source.mode != source.Terminal))
            fail("fault " + std::to_string(number) + " in mode " + std::to_string(source.mode));
    }
    return 0;
}
