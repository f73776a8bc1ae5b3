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
    // A child that ends before taking all its input must not take the test down with it.
    signal(SIGPIPE, SIG_IGN);
    int in_pipe[2], out_pipe[2], err_pipe[2];
    if (pipe(in_pipe) || pipe(out_pipe) || pipe(err_pipe)) throw std::runtime_error("pipe");
    auto argv = make_argv(program, options.args);

    pid_t pid = fork();
    if (pid < 0) throw std::runtime_error("fork");
    if (pid == 0) {
        dup2(in_pipe[0], 0);
        if (options.close_stdout) {
            close(1);
        } else if (options.stdout_dev_full) {
            int fd = open("/dev/full", O_WRONLY);
            dup2(fd, 1);
            close(fd);
        } else {
            dup2(out_pipe[1], 1);
        }
        dup2(err_pipe[1], 2);
        for (int fd : {in_pipe[0], in_pipe[1], out_pipe[0], out_pipe[1], err_pipe[0], err_pipe[1]})
            close(fd);
        signal(SIGPIPE, SIG_DFL);
        if (!options.cwd.empty() && chdir(options.cwd.c_str()) != 0) _exit(127);
        for (const auto& e : options.env) putenv(const_cast<char*>(e.c_str()));
        if (options.as_nobody) drop_to_nobody();
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    close(in_pipe[0]);
    close(out_pipe[1]);
    close(err_pipe[1]);

    // Feed the input and gather both outputs without blocking on any one of them.
    RunResult result;
    std::size_t fed = 0;
    int in_fd = in_pipe[1];
    fcntl(in_fd, F_SETFL, O_NONBLOCK);
    if (options.input.empty()) {
        close(in_fd);
        in_fd = -1;
    }
    int out_fd = out_pipe[0], err_fd = err_pipe[0];
    auto deadline =
        std::chrono::steady_clock::now() + std::chrono::seconds(options.timeout_seconds);
    bool killed = false;
    while (out_fd >= 0 || err_fd >= 0) {
        std::vector<pollfd> fds;
        if (out_fd >= 0) fds.push_back({out_fd, POLLIN, 0});
        if (err_fd >= 0) fds.push_back({err_fd, POLLIN, 0});
        if (in_fd >= 0) fds.push_back({in_fd, POLLOUT, 0});
        int left = static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                        deadline - std::chrono::steady_clock::now())
                                        .count());
        if (left <= 0) {
            if (!killed) kill(pid, SIGKILL);
            killed = true;
            left = 1000;
        }
        int n = poll(fds.data(), fds.size(), left);
        if (n < 0 && errno != EINTR) break;
        for (const pollfd& p : fds) {
            if (!(p.revents & (POLLIN | POLLOUT | POLLHUP | POLLERR))) continue;
            if (p.fd == in_fd) {
                ssize_t w = write(in_fd, options.input.data() + fed, options.input.size() - fed);
                if (w > 0) fed += static_cast<std::size_t>(w);
                if (w < 0 && errno != EAGAIN) fed = options.input.size();
                if (fed == options.input.size()) {
                    close(in_fd);
                    in_fd = -1;
                }
                continue;
            }
            char buf[65536];
            ssize_t r = read(p.fd, buf, sizeof buf);
            std::string& sink = p.fd == out_fd ? result.out : result.err;
            if (r > 0) {
                sink.append(buf, static_cast<std::size_t>(r));
            } else if (r == 0 || errno != EINTR) {
                close(p.fd);
                (p.fd == out_fd ? out_fd : err_fd) = -1;
            }
        }
    }
    if (in_fd >= 0) close(in_fd);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status)) {
        result.status = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        result.signal = WTERMSIG(status);
    }
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
