// The unit table (unit_table.hpp): the console in slot 0, the OPEN and CLOSE statements, the
// closing of all units at exit, and the process's one table.

#include "io/unit_table.hpp"

#include <new>
#include <string>

#include "platform/io.hpp"
#include "runtime/error_report.hpp"
#include "runtime/statement.hpp"

namespace io {

using runtime::ErrorCode;
using runtime::StatementKind;

namespace {

ErrorCode open_fault(platform::IoError error) {
    switch (error) {
    case platform::kInvalidArgument: return ErrorCode::OpenInvalidArgument;
    case platform::kFileExists: return ErrorCode::OpenFileExists;
    case platform::kNotFound: return ErrorCode::OpenFileNotFound;
    case platform::kTooManyFiles: return ErrorCode::OpenTooManyFiles;
    default: return ErrorCode::OpenAccessDenied; // denied, a folder, or anything unlisted
    }
}

std::string_view trim_blanks(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

} // namespace

UnitTable::UnitTable(std::unique_ptr<Channel> out, std::unique_ptr<ByteSource> in,
                     bool input_terminal, bool output_terminal)
    : input_(std::move(in)) {
    slots_[0] =
        std::make_unique<Unit>(0, "CON", UnitKind::Terminal, kConsoleBufferSize, std::move(out));
    const bool one_descriptor = input_terminal && output_terminal;
    LineState& line = one_descriptor ? slots_[0]->line() : reader_line_;
    reader_ = std::make_unique<ConsoleReader>(*input_, input_terminal, line);
}

Unit* UnitTable::find(int number) {
    for (std::size_t i = 1; i < kSlots; ++i)
        if (slots_[i] && slots_[i]->number() == number) return slots_[i].get();
    return nullptr;
}

void UnitTable::open(int number, std::string_view name) {
    std::string file(trim_blanks(name));
    runtime::begin_statement(StatementKind::Open, file);

    // No status was given: create the file when it is missing, else use it as it is. No
    // access was given either, so read-only and then write-only are tried after read-write.
    bool create = !platform::file_exists(file.c_str());
    bool read_only = false;
    platform::OpenResult opened =
        platform::open_file(file.c_str(), platform::Access::ReadWrite, create);
    if (opened.handle == platform::kNoHandle) {
        opened = platform::open_file(file.c_str(), platform::Access::ReadOnly, create);
        read_only = opened.handle != platform::kNoHandle;
    }
    if (opened.handle == platform::kNoHandle)
        opened = platform::open_file(file.c_str(), platform::Access::WriteOnly, create);
    if (opened.handle == platform::kNoHandle) runtime::end_run_with_error(open_fault(opened.error));

    std::size_t slot = 1;
    while (slot < kSlots && slots_[slot]) ++slot;
    if (slot == kSlots) { // no descriptor left for the unit
        platform::close_file(opened.handle);
        runtime::end_run_with_error(ErrorCode::OutOfMemory);
    }
    try {
        auto unit = std::make_unique<Unit>(number, file, UnitKind::Sequential, kFileBufferSize,
                                           std::make_unique<HandleChannel>(opened.handle));
        unit->set_read_only(read_only);
        unit->line().open_line = create; // a new file is in writing state and never cut
        slots_[slot] = std::move(unit);
    } catch (const std::bad_alloc&) {
        platform::close_file(opened.handle);
        runtime::end_run_with_error(ErrorCode::OutOfMemory);
    }
}

void UnitTable::close(int number) {
    for (std::size_t i = 1; i < kSlots; ++i) {
        if (!slots_[i] || slots_[i]->number() != number) continue;
        runtime::begin_statement(StatementKind::Close, slots_[i]->name());
        if (std::optional<ErrorCode> fault = slots_[i]->close())
            runtime::end_run_with_error(*fault);
        slots_[i].reset();
        return;
    }
}

std::optional<ErrorCode> UnitTable::close_all() {
    for (std::size_t i = 1; i < kSlots; ++i) {
        if (!slots_[i]) continue;
        runtime::begin_statement(StatementKind::Close, slots_[i]->name());
        if (std::optional<ErrorCode> fault = slots_[i]->close()) return fault;
        slots_[i].reset();
    }
    runtime::begin_statement(StatementKind::Close, console().name());
    return console().close();
}

void UnitTable::flush_files() {
    for (std::size_t i = 1; i < kSlots; ++i) {
        if (!slots_[i] || !slots_[i]->dirty()) continue;
        runtime::begin_statement(StatementKind::Write, slots_[i]->name());
        slots_[i]->flush();
    }
}

namespace {

// Made by the start-up and never destroyed: the closing at exit finds it whole.
UnitTable* process_table = nullptr;

} // namespace

UnitTable& units() {
    return *process_table;
}

void install_units(std::unique_ptr<UnitTable> table) {
    process_table = table.release();
}

} // namespace io
