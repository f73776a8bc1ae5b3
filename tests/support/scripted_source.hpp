#pragma once
// A byte source that plays back scripted input: a terminal delivers one typed line per read,
// redirected input the file's bytes in pieces of the size asked for.

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "io/byte_source.hpp"

namespace testsupport {

class ScriptedSource final : public io::ByteSource {
public:
    // Each chunk is handed out by as many reads as its size needs; after the last one every
    // read returns 0 bytes (end of file). A chunk equal to kFailure makes that read fail.
    explicit ScriptedSource(std::vector<std::string> chunks) : chunks_(std::move(chunks)) {}

    static inline const std::string kFailure = "<read fails>";

    platform::IoResult read(char* buffer, std::size_t size) override {
        sizes_asked.push_back(size);
        if (next_ == chunks_.size()) return {0, 0};
        const std::string& chunk = chunks_[next_];
        if (chunk == kFailure) {
            ++next_;
            return {-1, EIO};
        }
        const std::size_t count = std::min(size, chunk.size() - offset_);
        std::memcpy(buffer, chunk.data() + offset_, count);
        offset_ += count;
        if (offset_ == chunk.size()) {
            ++next_;
            offset_ = 0;
        }
        return {static_cast<long>(count), 0};
    }

    std::vector<std::size_t> sizes_asked; // the size of every read call made

private:
    std::vector<std::string> chunks_;
    std::size_t next_ = 0;
    std::size_t offset_ = 0;
};

// The chunks a terminal delivers for the given text: one per line, its LF included.
inline std::vector<std::string> typed_lines(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size() - 1);
        lines.push_back(text.substr(start, end + 1 - start));
        start = end + 1;
    }
    return lines;
}

} // namespace testsupport
