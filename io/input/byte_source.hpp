#pragma once
// Where the console's reading side takes its bytes: standard input (startup.cpp), or a script
// in tests and fuzz targets. Only the result's type comes from platform/io.hpp.

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

} // namespace io
