// Which reply lines the pause runs as a command, and what it passes on.

#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "io/pause.hpp"

namespace {

TEST(PauseCommand, TrailingBlanksGoLeadingBlanksStayShortRepliesRunNothing) {
    const std::pair<std::string, std::optional<std::string>> cases[] = {
        {"", std::nullopt},
        {" \t ", std::nullopt},
        {"x", std::nullopt},
        {"x \t", std::nullopt},
        {" x", " x"},
        {"  dir \t ", "  dir"},
        {"ls\t-l", "ls\t-l"},
        {std::string("ls\0 -l", 6), std::nullopt},
    };
    for (const auto& [reply, command] : cases) EXPECT_EQ(io::pause_command(reply), command);
}

} // namespace
