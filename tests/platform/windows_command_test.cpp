// The command interpreter of the Windows program, run by a reply at a pause: COMSPEC /c REPLY;
// when COMSPEC is unset, or names a missing program, cmd.exe from the current folder and then
// from PATH. The probe itself stands for an interpreter (it takes "/c" and runs the steps after
// it), so each case shows which program ran the reply.

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

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
        EXPECT_EQ(r.outcome(), std::tuple(0, "", "A\r\n" + kPrompt + c.shown + "\r\nB\r\n"));
    }
}

// Ctrl-C while a command runs ends the program at once, with the status of an interrupted
// console program (STATUS_CONTROL_C_EXIT, whose low byte the shell sees), and the command with
// it, even where only the program receives it: the command would have written late.txt.
TEST(CommandInterpreter, CtrlCWhileACommandRunsEndsBoth) {
    if (native_programs()) GTEST_SKIP() << "the Windows program's own steps";
    TempDir dir;
    RunResult r =
        run_crout(dir, {.input = "1\necho started& ping -n 3 127.0.0.1 >nul& echo late>late.txt\n",
                        .script = {{.wait_for = "started", .signal = SIGINT}},
                        .env = {"COMSPEC=C:\\windows\\system32\\cmd.exe"},
                        .timeout_seconds = 10});
    EXPECT_EQ(r.status, 0x3A);
    EXPECT_TRUE(r.out.ends_with(kPrompt + "started\r\n"));
    EXPECT_EQ(r.err, "");
    const std::string report = dir.read("resul3.doc");
    EXPECT_TRUE(report.starts_with(" Matriz A\r\n"));
    EXPECT_EQ(report.size(), 11 + 6 * 80u); // the caption and six rows of 78 characters
    std::this_thread::sleep_for(std::chrono::seconds(3));
    EXPECT_FALSE(std::filesystem::exists(dir.file("late.txt")));
}

} // namespace
