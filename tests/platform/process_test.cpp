// The command interpreter of the Windows program, run by a reply at a pause: COMSPEC /c REPLY;
// when COMSPEC is unset, or names a missing program, cmd.exe from the current folder and then
// from PATH. The probe itself stands for an interpreter (it takes "/c" and runs the steps after
// it), so each case shows which program ran the reply.

#include <cstdlib>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/run_program.hpp"

namespace {

using namespace testsupport;

// The Windows path of a file of the build machine (the emulator's drive Z: is its root).
std::string windows_path(std::string path) {
    for (char& c : path)
        if (c == '/') c = '\\';
    return "Z:" + path;
}

TEST(CommandInterpreter, ComspecThenCmdInTheCurrentFolderThenOnPath) {
    const char* probe = std::getenv("CROUT_TEST_WINDOWS_PROBE");
    if (native_programs() || !probe) GTEST_SKIP() << "the Windows program's own steps";
    const std::string cmd = "C:\\windows\\system32\\cmd.exe";
    const struct {
        std::string comspec; // empty: unset
        bool cmd_here;       // a cmd.exe in the current folder: the probe
        std::string reply, shown;
    } cases[] = {
        {cmd, false, "echo hi", "hi\r\n"},
        {cmd, true, "echo hi", "hi\r\n"},
        {windows_path(probe), false, "label:X", "X\r\n"},
        {"", false, "echo hi", "hi\r\n"}, // cmd.exe on PATH
        {"", true, "label:X", "X\r\n"},   // before the one on PATH
        {"C:\\missing\\shell.exe", false, "echo hi", "hi\r\n"},
        {"C:\\missing\\shell.exe", true, "label:X", "X\r\n"},
        {"", true, "x", ""}, // one character runs nothing
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.comspec + (c.cmd_here ? " with cmd.exe here: " : ": ") + c.reply);
        TempDir dir;
        if (c.cmd_here) std::filesystem::copy_file(probe, dir.file("cmd.exe"));
        RunResult r =
            run_probe(dir, {.args = {"label:A", "pause", "label:B"},
                            .input = c.reply + "\n",
                            .env = {c.comspec.empty() ? "COMSPEC" : "COMSPEC=" + c.comspec}});
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(r.out, "A\r\n" + kPrompt + c.shown + "\r\nB\r\n");
    }
}

} // namespace
