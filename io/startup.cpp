// The input/output side of the start-up (startup.hpp): the console unit over the standard
// handles, installed as the process's unit table, and the hook that closes every unit at exit.

#include "io/startup.hpp"

#include <memory>
#include <new>

#include "io/input/byte_source.hpp"
#include "io/unit_table.hpp"
#include "platform/io.hpp"
#include "runtime/error_report.hpp"
#include "runtime/statement.hpp"

namespace io {

namespace {

// The console's reading side over standard input.
class StdinSource final : public ByteSource {
public:
    platform::IoResult read(char* buffer, std::size_t size) override {
        return platform::read_once(platform::kStdin, buffer, size);
    }
};

} // namespace

void install_console_units() {
    try {
        install_units(std::make_unique<UnitTable>(
            std::make_unique<HandleChannel>(platform::kStdout), std::make_unique<StdinSource>(),
            platform::is_terminal(platform::kStdin), platform::is_terminal(platform::kStdout)));
    } catch (const std::bad_alloc&) {
        runtime::begin_statement(runtime::StatementKind::StartUp, "");
        runtime::end_run_with_error(runtime::ErrorCode::OutOfMemory);
    }
}

std::optional<runtime::ErrorCode> close_all_units() {
    return units().close_all();
}

} // namespace io
