#pragma once
// Where the console's reading side takes its bytes: standard input, or a script in tests.

#include <cstddef>

#include "platform/io.hpp"

namespace io {

class ByteSource {
public:
    virtual ~ByteSource() = default;
    // One read call of up to size bytes. count 0 with error 0 is end of file; on a terminal
    // one call returns one typed line.
    virtual platform::IoResult read(char* buffer, std::size_t size) = 0;
};

// Standard input.
class StdinSource final : public ByteSource {
public:
    platform::IoResult read(char* buffer, std::size_t size) override {
        return platform::read_once(platform::kStdin, buffer, size);
    }
};

} // namespace io
