#include "tests/support/run_program.hpp"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <poll.h>
#include <pty.h>
#include <pwd.h>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

namespace testsupport {

namespace fs = std::filesystem;

TempDir::TempDir() {
    std::string pattern = (fs::temp_directory_path() / "crout-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
    // Open to everybody, so that a child without privileges can work in it.
    chmod(path_.c_str(), 0777);
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::permissions(path_, fs::perms::all, ec);
    fs::remove_all(path_, ec);
}

std::string TempDir::read(const std::string& name) const {
    std::ifstream in(file(name), std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

bool TempDir::exists(const std::string& name) const {
    std::error_code ec;
    return fs::exists(fs::symlink_status(file(name), ec));
}

void TempDir::write(const std::string& name, const std::string& bytes) const {
    std::ofstream out(file(name), std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string crout_binary() {
    return CROUT_BINARY;
}

namespace {

std::vector<char*> make_argv(const std::string& program, const std::vector<std::string>& args) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    return argv;
}

void drop_to_nobody() {
    struct passwd* pw = getpwnam("nobody");
    uid_t uid = pw ? pw->pw_uid : 65534;
    gid_t gid = pw ? pw->pw_gid : 65534;
    if (setgroups(0, nullptr) != 0 && errno != EPERM) _exit(126);
    if (setgid(gid) != 0 || setuid(uid) != 0) _exit(126);
}

} // namespace

RunResult run_program(const std::string& program, const RunOptions& options) {
    // The standard handles are plain files: input is redirected as from a file, and the
    // outputs are read back once the program has ended.
    TempDir io;
    io.write("in", options.input);
    // Without privileges the program may not reach its build folder: run a copy of it.
    std::string executable = program;
    if (options.as_nobody) {
        executable = io.file("program");
        fs::copy_file(program, executable);
        fs::permissions(executable, fs::perms::all);
    }
    auto argv = make_argv(executable, options.args);
    pid_t pid = fork();
    if (pid < 0) throw std::runtime_error("fork");
    if (pid == 0) {
        auto redirect = [](const std::string& path, int flags, int fd) {
            int opened = open(path.c_str(), flags, 0600);
            if (opened < 0 || dup2(opened, fd) < 0) _exit(127);
            close(opened);
        };
        redirect(io.file("in"), O_RDONLY, 0);
        if (options.close_stdout)
            close(1);
        else
            redirect(options.stdout_dev_full ? "/dev/full" : io.file("out"), O_WRONLY | O_CREAT, 1);
        redirect(io.file("err"), O_WRONLY | O_CREAT, 2);
        if (!options.cwd.empty() && chdir(options.cwd.c_str()) != 0) _exit(127);
        for (const auto& e : options.env) putenv(const_cast<char*>(e.c_str()));
        if (options.as_nobody) drop_to_nobody();
        execv(executable.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    auto deadline =
        std::chrono::steady_clock::now() + std::chrono::seconds(options.timeout_seconds);
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) kill(pid, SIGKILL);
        usleep(2000);
    }
    RunResult result;
    result.out = io.read("out");
    result.err = io.read("err");
    if (WIFEXITED(status)) result.status = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) result.signal = WTERMSIG(status);
    return result;
}

PtySession::PtySession(const std::string& program, const std::string& cwd,
                       const std::vector<std::string>& args, const std::vector<std::string>& env) {
    struct termios tio {};
    cfmakeraw(&tio);
    // Line mode as a person types, but no echo and no output translation: the bytes read
    // back are exactly the bytes the program wrote.
    tio.c_lflag |= ICANON | ISIG;
    tio.c_iflag |= ICRNL;
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VEOF] = 4;  // Ctrl-D
    tio.c_cc[VINTR] = 3; // Ctrl-C
    tio.c_cc[VERASE] = 0x7f;
    struct winsize ws {};
    ws.ws_row = 24;
    ws.ws_col = 80;
    auto argv = make_argv(program, args);
    pid_ = forkpty(&fd_, nullptr, &tio, &ws);
    if (pid_ < 0) throw std::runtime_error("forkpty");
    if (pid_ == 0) {
        if (!cwd.empty() && chdir(cwd.c_str()) != 0) _exit(127);
        for (const auto& e : env) putenv(const_cast<char*>(e.c_str()));
        execv(program.c_str(), argv.data());
        _exit(127);
    }
}

PtySession::~PtySession() {
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    if (fd_ >= 0) close(fd_);
}

void PtySession::type(const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t w = write(fd_, bytes.data() + done, bytes.size() - done);
        if (w < 0 && errno != EINTR) break;
        if (w > 0) done += static_cast<std::size_t>(w);
    }
}

bool PtySession::pump(int timeout_ms) {
    pollfd p{fd_, POLLIN, 0};
    int n = poll(&p, 1, timeout_ms);
    if (n <= 0) return n == 0;
    char buf[4096];
    ssize_t r = read(fd_, buf, sizeof buf);
    if (r <= 0) return false; // EIO once the program has gone
    output_.append(buf, static_cast<std::size_t>(r));
    return true;
}

const std::string& PtySession::read_until(const std::string& text, int timeout_ms) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    while (output_.find(text) == std::string::npos) {
        int left = static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                        deadline - std::chrono::steady_clock::now())
                                        .count());
        if (left <= 0 || !pump(left)) break;
    }
    return output_;
}

int PtySession::wait(int timeout_ms) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    for (;;) {
        int left = static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                        deadline - std::chrono::steady_clock::now())
                                        .count());
        if (left <= 0 || !pump(left > 200 ? 200 : left)) {
            int status = 0;
            pid_t r = waitpid(pid_, &status, left <= 0 ? 0 : WNOHANG);
            if (r == pid_) {
                while (pump(50)) {
                }
                pid_ = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            if (left <= 0) {
                kill(pid_, SIGKILL);
            }
        }
    }
}

} // namespace testsupport
