// The pause prompt (pause.hpp): the prompt shown, one reply line read, and a reply of two or
// more characters run as a command.

#include "io/pause.hpp"

#include <array>
#include <optional>
#include <string>

#include "io/input/read_fault.hpp"
#include "platform/process.hpp"
#include "runtime/error_report.hpp"
#include "runtime/statement.hpp"

namespace io {

namespace {

// The reply buffer holds 128 bytes with the NUL that ends the reply. A terminal line comes
// with its line end, which leaves 126 characters for the reply; a redirected line gives up to
// 127. A longer line is never run cut short: it is consumed whole and runs nothing.
constexpr std::size_t kReplyBuffer = 128;
constexpr std::size_t kTerminalReplyMax = 126;
constexpr std::size_t kRedirectedReplyMax = 127;

// One read of the typed line. A closed console, or a read that fails, is a blank reply.
std::optional<std::string> read_terminal_reply(ByteSource& input) {
    std::array<char, kReplyBuffer> buffer{};
    platform::IoResult got = input.read(buffer.data(), buffer.size());
    if (got.error != 0 || got.count <= 0) return std::string();
    auto n = static_cast<std::size_t>(got.count);
    if (buffer[n - 1] != '\n') {
        if (n < buffer.size()) return std::string(buffer.data(), n); // ended by Ctrl-D
        // The line goes on past the buffer: take the rest of it, then run nothing. The rest
        // ends with its LF, or with a short read when Ctrl-D ends the line.
        do {
            got = input.read(buffer.data(), buffer.size());
        } while (got.error == 0 && static_cast<std::size_t>(got.count) == buffer.size() &&
                 buffer[buffer.size() - 1] != '\n');
        return std::nullopt;
    }
    std::size_t length = n - 1;
    if (length > 0 && buffer[length - 1] == '\r') --length;
    if (length > kTerminalReplyMax) return std::nullopt;
    return std::string(buffer.data(), length);
}

// The next line of redirected input, taken through the console's reading side, so that
// replies and options come from one stream in order.
std::optional<std::string> read_redirected_reply(ConsoleReader& reader) {
    std::string reply;
    bool too_long = false;
    for (;;) {
        unsigned char c = reader.next();
        if (c == '\n') break;
        if (c == '\r') {
            if (reader.next() != '\n') reader.step_back();
            break;
        }
        if (reply.size() < kRedirectedReplyMax)
            reply.push_back(static_cast<char>(c));
        else
            too_long = true;
    }
    if (too_long) return std::nullopt;
    return reply;
}

// The reply line, or nothing when it did not fit.
std::optional<std::string> read_pause_reply(UnitTable& table) {
    if (table.reader().interactive()) return read_terminal_reply(table.input());
    std::optional<runtime::ErrorCode> fault;
    try {
        return read_redirected_reply(table.reader());
    } catch (const ReadFault& read_fault) {
        fault = read_fault.code; // reported once the handler has finished
    }
    runtime::end_run_with_error(*fault);
}

// The command a reply line asks for: the line less its trailing blanks and tabs, when two or
// more characters remain. A line with a NUL byte names no command the interpreter could be
// given whole, so it runs nothing.
std::optional<std::string> pause_command(std::string_view reply) {
    while (!reply.empty() && (reply.back() == ' ' || reply.back() == '\t')) reply.remove_suffix(1);
    if (reply.size() < 2 || reply.find('\0') != std::string_view::npos) return std::nullopt;
    return std::string(reply);
}

} // namespace

void pause_prompt(UnitTable& table) {
    // Whatever the user does at the prompt, the records written so far are in the report.
    table.flush_files();

    // The pause has no statement of its own: a fault here shows the category of the last
    // statement, a write, on the console.
    Unit& console = table.console();
    runtime::begin_statement(runtime::StatementKind::Write, console.name());
    if (console.line().open_line) console.write_direct("\r\n");
    console.write_direct(kPausePrompt);

    std::optional<std::string> reply = read_pause_reply(table);
    if (!reply) return;
    if (std::optional<std::string> command = pause_command(*reply))
        platform::run_command(command->c_str());
}

} // namespace io
