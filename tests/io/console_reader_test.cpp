#include "io/console_reader.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "io/read_fault.hpp"
#include "tests/support/scripted_source.hpp"

namespace io {
namespace {

using testsupport::ScriptedSource;

// The bytes taken by count calls of next(), or the fault that stopped them.
std::string take(ConsoleReader& reader, std::size_t count) {
    std::string taken;
    try {
        while (taken.size() < count) taken += static_cast<char>(reader.next());
    } catch (const ReadFault& fault) {
        taken += "F" + std::to_string(runtime::displayed_number(fault.code));
    }
    return taken;
}

TEST(ConsoleReader, EveryRefillIsOneReadOf132Bytes) {
    ScriptedSource source({std::string(300, 'x'), ScriptedSource::kFailure});
    LineState line;
    ConsoleReader reader(source, false, line);
    EXPECT_EQ(take(reader, 302), std::string(300, 'x') + "\nF6500");
    EXPECT_EQ(source.sizes_asked, (std::vector<std::size_t>{132, 132, 132, 132}));
}

TEST(ConsoleReader, TerminalEndLineDropsTheTypedLine) {
    ScriptedSource source({"12\n", "34\n", "56\n"});
    LineState line{.open_line = true};
    ConsoleReader reader(source, true, line);
    reader.FF_nrectmi(); // nothing taken yet: a line is read and dropped
    EXPECT_FALSE(line.open_line);
    EXPECT_EQ(take(reader, 1), "3");
    reader.FF_nrectmi(); // the rest of "34" goes
    EXPECT_EQ(take(reader, 1), "5");
    reader.step_back();
    EXPECT_EQ(take(reader, 2), "56");
    reader.discard();
    EXPECT_EQ(take(reader, 1), "F6501");
}

} // namespace
} // namespace io
