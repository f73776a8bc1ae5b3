#include "tests/support/run_program.hpp"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <pty.h>
#include <spawn.h>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

extern char** environ;

namespace testsupport {

namespace fs = std::filesystem;

TempDir::TempDir() {
    std::string pattern = (fs::temp_directory_path() / "crout-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp");
    path_ = pattern;
    fs::permissions(path_, fs::perms::all); // a program without privileges works in it too
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::permissions(path_, fs::perms::all, ec);
    fs::remove_all(path_, ec);
}

std::string TempDir::read(const std::string& name) const {
    std::ostringstream s;
    s << std::ifstream(file(name), std::ios::binary).rdbuf();
    return s.str();
}

void TempDir::write(const std::string& name, const std::string& bytes) const {
    std::ofstream(file(name), std::ios::binary) << bytes;
}

namespace {

// A pseudo-terminal in line mode as a person types, without echo or output translation: the
// bytes read back are exactly the bytes the program wrote. Returns the master side.
int open_terminal(int& slave) {
    termios tio{};
    cfmakeraw(&tio);
    tio.c_lflag |= ICANON | ISIG;
    tio.c_iflag |= ICRNL;
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VEOF] = 4;  // Ctrl-D
    tio.c_cc[VINTR] = 3; // Ctrl-C
    winsize size{24, 80, 0, 0};
    int master = -1;
    if (openpty(&master, &slave, nullptr, &tio, &size) != 0) throw std::runtime_error("openpty");
    fcntl(master, F_SETFD, FD_CLOEXEC);
    fcntl(slave, F_SETFD, FD_CLOEXEC);
    return master;
}

void type(int fd, const std::string& bytes) {
    for (std::size_t done = 0; done < bytes.size();) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno != EINTR) return;
        if (n > 0) done += static_cast<std::size_t>(n);
    }
}

// What the terminal shows within timeout_ms; false once nothing more can come.
bool take_output(int fd, std::string& out, int timeout_ms) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, timeout_ms) <= 0) return false;
    char buffer[4096];
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n > 0) out.append(buffer, static_cast<std::size_t>(n));
    return n > 0;
}

} // namespace

RunResult run_program(const std::string& program, const TempDir& dir, const RunOptions& o) {
    TempDir io;
    io.write("in", o.input);
    std::vector<std::string> words{program};
    if (o.as_nobody) {
        // Without privileges the program may not reach the build folder: run a copy of it.
        fs::copy_file(program, io.file("program"));
        fs::permissions(io.file("program"), fs::perms::all);
        words = {"/usr/bin/setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups",
                 io.file("program")};
    }
    words.insert(words.end(), o.args.begin(), o.args.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    int master = -1, slave = -1;
    if (o.terminal) {
        // A session of its own, whose controlling terminal is the first one it opens.
        master = open_terminal(slave);
        posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSID);
        posix_spawn_file_actions_addopen(&actions, 0, ttyname(slave), O_RDWR, 0);
        posix_spawn_file_actions_adddup2(&actions, 0, 1);
        posix_spawn_file_actions_adddup2(&actions, 0, 2);
    } else {
        const int created = O_WRONLY | O_CREAT | O_TRUNC;
        posix_spawn_file_actions_addopen(&actions, 0, io.file("in").c_str(), O_RDONLY, 0);
        if (o.close_stdout)
            posix_spawn_file_actions_addclose(&actions, 1);
        else
            posix_spawn_file_actions_addopen(
                &actions, 1, o.stdout_full ? "/dev/full" : io.file("out").c_str(), created, 0600);
        posix_spawn_file_actions_addopen(&actions, 2, io.file("err").c_str(), created, 0600);
    }
    posix_spawn_file_actions_addchdir_np(&actions, dir.path().c_str());
    pid_t pid = -1;
    int failed = posix_spawn(&pid, argv[0], &actions, &attr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attr);
    if (slave >= 0) close(slave);
    if (failed != 0) throw std::runtime_error("posix_spawn");

    RunResult result;
    if (master >= 0) type(master, o.input);
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(o.timeout_seconds);
    std::size_t step = 0;
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) != pid) {
        if (std::chrono::steady_clock::now() > deadline) kill(pid, SIGKILL);
        if (master < 0) {
            usleep(2000);
            continue;
        }
        take_output(master, result.out, 10);
        if (step < o.script.size() &&
            result.out.find(o.script[step].wait_for) != std::string::npos) {
            if (o.script[step].check) o.script[step].check();
            type(master, o.script[step++].bytes);
        }
    }
    if (master >= 0) {
        while (take_output(master, result.out, 50)) {
        }
        close(master);
    } else {
        result.out = io.read("out");
        result.err = io.read("err");
    }
    if (WIFEXITED(status)) result.status = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) result.signal = WTERMSIG(status);
    return result;
}

} // namespace testsupport
