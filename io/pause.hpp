#pragma once
// FFpPAUSE: the pause prompt. Shows the prompt, reads one reply line, and runs a reply of two
// or more characters as a command before the program goes on.

#include <optional>
#include <string>
#include <string_view>

#include "io/unit_table.hpp"

namespace io {

inline constexpr std::string_view kPausePrompt =
    "Pause - Please enter a blank line (to continue) or a DOS command.\r\n";

void FFpPAUSE(UnitTable& table);

// The command a reply line asks for: the line less its trailing blanks and tabs, when two or
// more characters remain. A line with a NUL byte names no command the interpreter could be
// given whole, so it runs nothing.
std::optional<std::string> pause_command(std::string_view reply);

} // namespace io
