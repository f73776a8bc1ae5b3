#include "platform/process.hpp"

#include <atomic>
#include <optional>
#include <string>

#include <windows.h>

#include "platform/io.hpp"
#include "platform/windows/text.hpp"

namespace platform {

int exception_status(unsigned long code) {
    return static_cast<int>(code);
}

void quick_exit_process(int status) {
    TerminateProcess(GetCurrentProcess(), static_cast<UINT>(status));
    ExitProcess(static_cast<UINT>(status)); // not reached
}

namespace {

constexpr DWORD kControlCExit = 0xC000013A; // STATUS_CONTROL_C_EXIT

std::optional<std::wstring> environment(const wchar_t* name) {
    const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
    if (size == 0) return std::nullopt;
    std::wstring value(size, L'\0');
    value.resize(GetEnvironmentVariableW(name, value.data(), size));
    return value;
}

// "cmd.exe" in the system folder. Never one from the current folder or PATH: a cmd.exe placed
// in the folder where the program runs would run in its place.
std::optional<std::wstring> system_cmd() {
    wchar_t folder[MAX_PATH];
    const UINT size = GetSystemDirectoryW(folder, MAX_PATH);
    if (size == 0 || size >= MAX_PATH) return std::nullopt;
    return std::wstring(folder, size) + L"\\cmd.exe";
}

// The standard handles, as inheritable copies for the command: the command shares them.
struct SharedHandles {
    HANDLE handles[3]{};
    SharedHandles() {
        const DWORD ids[3] = {STD_INPUT_HANDLE, STD_OUTPUT_HANDLE, STD_ERROR_HANDLE};
        const HANDLE self = GetCurrentProcess();
        for (int i = 0; i < 3; ++i) {
            const HANDLE h = GetStdHandle(ids[i]);
            if (h && h != INVALID_HANDLE_VALUE &&
                !DuplicateHandle(self, h, self, &handles[i], 0, TRUE, DUPLICATE_SAME_ACCESS))
                handles[i] = nullptr;
        }
    }
    ~SharedHandles() {
        for (HANDLE h : handles)
            if (h) CloseHandle(h);
    }
    SharedHandles(const SharedHandles&) = delete;
    SharedHandles& operator=(const SharedHandles&) = delete;
};

// The job of the command that runs now. A console sends Ctrl-C to every program attached to
// it, but a command's programs need not be attached to this console, and some consoles (Wine's)
// tell this process alone: the control handler ends the job itself. The job is not
// killed on close, so a program that a command started in the background (`start`) outlives
// this process, as it does on a console.
std::atomic<HANDLE> running_job{nullptr};

BOOL WINAPI on_control(DWORD) {
    if (const HANDLE job = running_job.load()) TerminateJobObject(job, kControlCExit);
    TerminateProcess(GetCurrentProcess(), kControlCExit);
    return TRUE;
}

// A command that cannot be started, or cannot run in a job of its own, is not run (a program
// already started is ended before it runs), and standard error says why; the pause goes on.
void say_not_run(const char* step, DWORD error) {
    const std::string message = "The command was not run: " + std::string(step) +
                                " failed with system error " + std::to_string(error) + ".\r\n";
    write_all(kStderr, message.data(), message.size());
}

void close_process(const PROCESS_INFORMATION& process) {
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

// Starts program suspended with the command line "PROGRAM" TAIL, in the job. Windows before 8
// keeps a process in one job only: where this process runs in a job already (Explorer starts
// programs in one there), the command is started again outside that job, when it allows that.
// False when the program could not be started; the error is then in error.
bool start_in_job(const std::wstring& program, const std::wstring& tail, HANDLE job,
                  PROCESS_INFORMATION& process, DWORD& error) {
    SharedHandles shared;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = shared.handles[0];
    startup.hStdOutput = shared.handles[1];
    startup.hStdError = shared.handles[2];
    const DWORD attempts[] = {CREATE_SUSPENDED, CREATE_SUSPENDED | CREATE_BREAKAWAY_FROM_JOB};
    for (const DWORD flags : attempts) {
        std::wstring command_line = L'"' + program + L'"' + tail;
        if (!CreateProcessW(program.c_str(), command_line.data(), nullptr, nullptr, TRUE, flags,
                            nullptr, nullptr, &startup, &process)) {
            if (flags != CREATE_SUSPENDED) break; // this process's job keeps its programs
            error = GetLastError();
            return false;
        }
        if (AssignProcessToJobObject(job, process.hProcess)) return true;
        if (flags == CREATE_SUSPENDED) error = GetLastError();
        TerminateProcess(process.hProcess, error); // never resumed: it has done nothing
        close_process(process);
    }
    say_not_run("AssignProcessToJobObject", error);
    process = {};
    return true;
}

// Runs program with the tail of the command line and waits for it to end. False when the
// program could not be started; the error is then in error.
bool run(const std::wstring& program, const std::wstring& tail, HANDLE job, DWORD& error) {
    PROCESS_INFORMATION process{};
    if (!start_in_job(program, tail, job, process, error)) return false;
    if (!process.hProcess) return true;
    if (ResumeThread(process.hThread) == static_cast<DWORD>(-1)) {
        error = GetLastError();
        TerminateProcess(process.hProcess, error);
        say_not_run("ResumeThread", error);
    } else {
        WaitForSingleObject(process.hProcess, INFINITE);
    }
    close_process(process);
    return true;
}

// The reply as the system's wide text. Typed at a console, it arrives in the console's input
// code page (an OEM code page such as 850 or 437); read from a file or a pipe, it is taken in
// the ANSI code page, as other programs take such text.
std::wstring reply_text(const char* command) {
    return wide(command, is_terminal(kStdin) ? GetConsoleCP() : CP_ACP);
}

} // namespace

// "COMSPEC" /c command, in a job of its own while it runs; when COMSPEC is unset or its program
// cannot be started (missing, denied, a folder, not a program), the system folder's cmd.exe;
// when neither starts, standard error says so. While the command runs, Ctrl-C ends this process
// and the command's job.
void run_command(const char* command) {
    const std::wstring tail = L" /c " + reply_text(command);
    const HANDLE job = CreateJobObjectW(nullptr, nullptr);
    if (!job) return say_not_run("CreateJobObject", GetLastError());
    running_job = job;
    SetConsoleCtrlHandler(on_control, TRUE);
    DWORD error = ERROR_FILE_NOT_FOUND;
    bool started = false;
    if (std::optional<std::wstring> comspec = environment(L"COMSPEC"))
        started = run(*comspec, tail, job, error);
    if (!started)
        if (std::optional<std::wstring> cmd = system_cmd()) started = run(*cmd, tail, job, error);
    if (!started) say_not_run("CreateProcess", error);
    SetConsoleCtrlHandler(on_control, FALSE);
    running_job = nullptr;
    CloseHandle(job);
}

} // namespace platform
