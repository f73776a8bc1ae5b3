#include "platform/process.hpp"

#include <optional>
#include <string>

#include <windows.h>

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

bool is_file(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// "cmd.exe" in the current folder, else in the first folder of PATH that holds it.
std::optional<std::wstring> find_cmd() {
    const std::wstring name = L"cmd.exe";
    if (is_file(name)) return name;
    const std::wstring path = environment(L"PATH").value_or(L"");
    for (std::size_t start = 0; start <= path.size();) {
        std::size_t end = path.find(L';', start);
        if (end == std::wstring::npos) end = path.size();
        std::wstring folder = path.substr(start, end - start);
        if (!folder.empty()) {
            if (folder.back() != L'\\' && folder.back() != L'/') folder += L'\\';
            if (is_file(folder + name)) return folder + name;
        }
        start = end + 1;
    }
    return std::nullopt;
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

// The command's job: when this process ends, by Ctrl-C for instance, the command ends too.
HANDLE command_job = nullptr;

BOOL WINAPI on_control(DWORD) {
    TerminateProcess(GetCurrentProcess(), kControlCExit);
    return TRUE;
}

// Starts program with the command line and waits for it to end. Returns the error of a
// failed start, or ERROR_SUCCESS.
DWORD run(const std::wstring& program, std::wstring command_line) {
    SharedHandles shared;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = shared.handles[0];
    startup.hStdOutput = shared.handles[1];
    startup.hStdError = shared.handles[2];
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), command_line.data(), nullptr, nullptr, TRUE,
                        CREATE_SUSPENDED, nullptr, nullptr, &startup, &process))
        return GetLastError();
    if (!command_job) {
        command_job = CreateJobObjectW(nullptr, nullptr);
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        if (command_job)
            SetInformationJobObject(command_job, JobObjectExtendedLimitInformation, &limits,
                                    sizeof limits);
    }
    if (command_job) AssignProcessToJobObject(command_job, process.hProcess);
    ResumeThread(process.hThread);
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return ERROR_SUCCESS;
}

} // namespace

// COMSPEC /c command; when COMSPEC is unset, or names a program that is missing or denied,
// cmd.exe from the current folder or PATH; else nothing. The command line is the program's
// name, "/c" and the command joined by blanks. While the command runs, Ctrl-C ends this
// process at once, and the command with it.
void run_command(const char* command) {
    const std::wstring tail = L" /c " + wide(command);
    SetConsoleCtrlHandler(on_control, TRUE);
    DWORD failed = ERROR_FILE_NOT_FOUND;
    if (std::optional<std::wstring> comspec = environment(L"COMSPEC"))
        failed = run(*comspec, *comspec + tail);
    if (failed == ERROR_FILE_NOT_FOUND || failed == ERROR_PATH_NOT_FOUND ||
        failed == ERROR_ACCESS_DENIED)
        if (std::optional<std::wstring> cmd = find_cmd()) run(*cmd, *cmd + tail);
    SetConsoleCtrlHandler(on_control, FALSE);
}

} // namespace platform
