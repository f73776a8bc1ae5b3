#pragma once
// A channel that keeps every byte a unit writes, and can be told to fail.

#include <memory>
#include <string>

#include "io/channel.hpp"
#include "io/unit.hpp"

namespace testsupport {

struct ChannelLog {
    std::string bytes; // everything written, in order
    int writes = 0;    // write calls
    int fail_with = 0; // errno for every write, 0 to succeed
};

class RecordingChannel final : public io::Channel {
public:
    explicit RecordingChannel(ChannelLog& log) : log_(log) {}
    platform::IoResult write(const char* data, std::size_t size) override {
        if (log_.fail_with) return {0, log_.fail_with};
        log_.bytes.append(data, size);
        ++log_.writes;
        return {static_cast<long>(size), 0};
    }
    int cut(std::int64_t) override { return 0; }
    int close() override { return 0; }

private:
    ChannelLog& log_;
};

// The console unit, or the report unit on a newly created file, writing to log.
inline io::Unit recording_unit(bool console, ChannelLog& log) {
    io::Unit unit(console ? 0 : 20, console ? "CON" : "resul3.doc",
                  console ? io::UnitKind::Terminal : io::UnitKind::Sequential,
                  console ? io::kConsoleBufferSize : io::kFileBufferSize,
                  std::make_unique<RecordingChannel>(log));
    unit.line().open_line = !console; // a new file is in writing state from the start
    return unit;
}

} // namespace testsupport
