#pragma once
// The pause prompt. Shows the prompt, reads one reply line, and runs a reply of two
// or more characters as a command before the program goes on.

#include <string_view>

#include "io/unit_table.hpp"

namespace io {

inline constexpr std::string_view kPausePrompt =
    "Pause - Please enter a blank line (to continue) or a DOS command.\r\n";

void pause_prompt(UnitTable& table);

} // namespace io
