// The command interpreter of the Windows program, run by a reply at a pause: "COMSPEC" /c REPLY;
// when COMSPEC is unset, or its program cannot be started (missing, a folder, not a program),
// the system folder's cmd.exe, never the probe planted as cmd.exe in the current folder; when
// that cannot start either (the emulator told not to load it), standard error says so. The
// probe itself stands for an interpreter (it takes "/c" and runs the steps after it), so each
// case shows which program ran the reply; started with its path unquoted, a probe in "a b" would
// see "b\shell.exe" first.

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include <gtest/gtest.h>

#include "tests/support/run_program.hpp"

using namespace testsupport;

// The Windows path of a file of the build machine (the emulator's drive Z: is its root).
static std::string windows_path(std::string path) {
    std::ranges::replace(path, '/', '\\');
    return "Z:" + path;
}

TEST(CommandInterpreter, ComspecThenTheSystemFoldersCmd) {
    const char* probe = std::getenv("CROUT_TEST_WINDOWS_PROBE");
    if (native_programs() || !probe) GTEST_SKIP() << "the Windows program's own steps";
    const std::string not_run = "The command was not run: CreateProcess failed with system error ";
    // COMSPEC (empty: unset; ~ stands for the current folder), the reply, what it shows, and
    // standard error (when set, the emulator may not load the system's cmd.exe).
    const std::tuple<std::string, std::string, std::string, std::string> cases[] = {
        // clang-format off
        {"C:\\windows\\system32\\cmd.exe", "echo hi", "hi\r\n", ""}, {windows_path(probe), "label:X", "X\r\n", ""},
        {"~\\a b\\shell.exe", "label:X", "X\r\n", ""}, {"", "echo hi", "hi\r\n", ""},
        {"C:\\missing\\shell.exe", "echo hi", "hi\r\n", ""}, {"~", "echo hi", "hi\r\n", ""}, // a folder
        {"C:\\windows\\win.ini", "echo hi", "hi\r\n", ""}, // not a program
        // Neither starts (126: the emulator's "module not found").
        {"", "label:X", "", not_run + "126.\r\n"}, {"C:\\missing\\shell.exe", "echo hi", "", not_run + "126.\r\n"},
        // clang-format on
    };
    for (const auto& [comspec_given, reply, shown, err] : cases) {
        SCOPED_TRACE(comspec_given + ": " + reply);
        TempDir dir;
        std::filesystem::create_directory(dir.file("a b"));
        for (const char* copy : {"cmd.exe", "a b/shell.exe"})
            std::filesystem::copy_file(probe, dir.file(copy));
        std::string comspec = comspec_given;
        if (comspec.starts_with('~')) comspec.replace(0, 1, windows_path(dir.path));
        RunResult r = run_probe(
            dir, {.args = {"label:A", "pause", "label:B"},
                  .input = reply + "\n",
                  .env = {comspec.empty() ? "COMSPEC" : "COMSPEC=" + comspec,
                          err.empty() ? "WINEDLLOVERRIDES=" : "WINEDLLOVERRIDES=cmd.exe=d"}});
        EXPECT_EQ(r.outcome(), std::tuple(0, err, "A\r\n" + kPrompt + shown + "\r\nB\r\n"));
    }
}

// A program that a reply starts in the background outlives the program, as on a console: it
// writes late.txt two seconds after the probe has ended.
TEST(CommandInterpreter, ABackgroundProgramOutlivesTheProgram) {
    if (native_programs()) GTEST_SKIP() << "the Windows program's own steps";
    TempDir dir;
    const std::string reply =
        "start \"\" /b cmd /c \"ping -n 3 127.0.0.1 >nul& echo late>late.txt\"";
    RunResult r = run_probe(dir, {.args = {"pause"}, .input = reply + "\n", .env = {"COMSPEC"}});
    EXPECT_EQ(std::tie(r.status, r.err), std::tuple(0, ""));
    EXPECT_TRUE(r.out.starts_with(kPrompt));
    EXPECT_FALSE(std::filesystem::exists(dir.file("late.txt")));
    for (int tenths = 0; tenths < 100 && dir.read("late.txt").empty(); ++tenths)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(dir.read("late.txt"), "late\r\n");
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
                        .env = {"COMSPEC=C:\\windows\\system32\\cmd.exe"}});
    EXPECT_EQ(std::tie(r.status, r.err), std::tuple(0x3A, ""));
    EXPECT_TRUE(r.out.ends_with(kPrompt + "started\r\n"));
    const std::string report = dir.read("resul3.doc");
    EXPECT_TRUE(report.starts_with(" Matriz A\r\n"));
    EXPECT_EQ(report.size(), 11 + 6 * 80u); // the caption and six rows of 78 characters
    std::this_thread::sleep_for(std::chrono::seconds(3));
    EXPECT_FALSE(std::filesystem::exists(dir.file("late.txt")));
}
