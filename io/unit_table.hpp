#pragma once
// The unit table: 64 slots, the console in slot 0, numbered units in the first free slot
// from 1 up. The OPEN and CLOSE statements and the closing of all units at exit live here.

#include <array>
#include <memory>
#include <optional>
#include <string_view>

#include "io/input/byte_source.hpp"
#include "io/input/console_reader.hpp"
#include "io/unit.hpp"

namespace io {

class UnitTable {
public:
    static constexpr std::size_t kSlots = 64;

    // Creates the console unit in slot 0 writing to out, and its reading side over in. One line
    // state serves both directions when input and output are both terminals.
    UnitTable(std::unique_ptr<Channel> out, std::unique_ptr<ByteSource> in, bool input_terminal,
              bool output_terminal);

    Unit& console() { return *slots_[0]; }
    ConsoleReader& reader() { return *reader_; }
    ByteSource& input() { return *input_; }

    // The numbered unit, or nullptr when it is not connected.
    Unit* find(int number);

    // OPEN: connects number to the file name (blanks trimmed). An existing file is opened
    // without being cut; a missing one is created. A failure ends the run with its report.
    void open(int number, std::string_view name);

    // CLOSE: writes out the unit's buffer, closes its file and frees its slot.
    void close(int number);

    // Closes every numbered unit in slot order, then ends the console's open line. Stops at
    // the first fault, which it returns; the units not yet closed stay as they are.
    std::optional<runtime::ErrorCode> close_all();

    // Writes out every numbered unit's buffer, so no record waits in memory while the program
    // waits for the user.
    void flush_files();

private:
    std::array<std::unique_ptr<Unit>, kSlots> slots_;
    std::unique_ptr<ByteSource> input_;
    LineState reader_line_; // the reading side's own state when the directions are apart
    std::unique_ptr<ConsoleReader> reader_;
};

// The process's one unit table, created by the start-up.
UnitTable& units();
void install_units(std::unique_ptr<UnitTable> table);

} // namespace io
