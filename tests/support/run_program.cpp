#include "tests/support/run_program.hpp"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <pty.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace testsupport {

namespace fs = std::filesystem;

TempDir::TempDir() : path((fs::temp_directory_path() / "crout-test-XXXXXX").string()) {
    if (!mkdtemp(path.data())) throw std::runtime_error("mkdtemp");
    fs::permissions(path, fs::perms::all); // a program without privileges works in it too
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::permissions(path, fs::perms::all, ec);
    fs::remove_all(path, ec);
}

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return fs::is_regular_file(path) ? std::string{std::istreambuf_iterator<char>(in), {}} : "";
}

void TempDir::write(const std::string& name, const std::string& bytes) const {
    std::ofstream(file(name), std::ios::binary) << bytes;
}

std::string crout_program() {
    return std::getenv("CROUT_TEST_PROGRAM") ? std::getenv("CROUT_TEST_PROGRAM") : CROUT_BINARY;
}

std::string probe_program() {
    return std::getenv("CROUT_TEST_PROBE") ? std::getenv("CROUT_TEST_PROBE") : PROBE_BINARY;
}

bool native_programs() {
    return !std::getenv("CROUT_TEST_PROGRAM");
}

bool programs_lack(std::string_view capability) {
    const char* lacks = std::getenv("CROUT_TEST_LACKS");
    return lacks && ("," + std::string(lacks) + ",").find("," + std::string(capability) + ",") !=
                        std::string::npos;
}

std::string session(const std::string& options) {
    const std::string whole = read_file(CROUT_WHOLE_SESSION);
    std::string replies;
    for (const char option : options) { // from the option's line to the next option's
        const std::size_t from = whole.find(std::string(1, option) + "\n");
        if (from == std::string::npos) throw std::runtime_error("no option " + options);
        replies += whole.substr(from, whole.find_first_not_of('\n', from + 1) - from);
    }
    return replies;
}

namespace {

int type(int fd, const std::string& bytes) {
    if (::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
        throw std::runtime_error("typing at the terminal");
    return 0;
}

// Adds what the terminal shows within timeout_ms; false once nothing more comes.
bool take_output(int fd, std::string& out, int timeout_ms) {
    pollfd p{fd, POLLIN, 0};
    char buffer[4096];
    const ssize_t n = poll(&p, 1, timeout_ms) > 0 ? ::read(fd, buffer, sizeof buffer) : 0;
    if (n > 0) out.append(buffer, static_cast<std::size_t>(n));
    return n > 0;
}

// Starts program in dir with its standard handles on the files of io ("in", "out", "err"), or
// all three on a new terminal, whose other side is returned in terminal.
pid_t spawn(const std::string& program, const TempDir& dir, const TempDir& io, const RunOptions& o,
            int& terminal) {
    std::vector<std::string> words{program}, env = o.env;
    words.insert(words.end(), o.args.begin(), o.args.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    std::string handles[] = {io.file("in"), io.file("out"), io.file("err")};
    int slave = -1;
    if (o.terminal) {
        // Line mode as a person types, without echo or output translation, so the bytes read
        // back are the bytes the program wrote.
        termios tio{};
        cfmakeraw(&tio);
        tio.c_lflag |= ICANON | ISIG;
        tio.c_iflag |= ICRNL;
        tio.c_cc[VMIN] = 1, tio.c_cc[VEOF] = 4, tio.c_cc[VINTR] = 3; // Ctrl-D, Ctrl-C
        if (openpty(&terminal, &slave, nullptr, &tio, nullptr) != 0)
            throw std::runtime_error("pty");
        fcntl(terminal, F_SETFD, FD_CLOEXEC), fcntl(slave, F_SETFD, FD_CLOEXEC);
        handles[0] = handles[1] = handles[2] = ttyname(slave);
    }
    const pid_t pid = fork();
    if (pid == 0) { // In a session of its own, whose controlling terminal is the first it opens.
        if (o.terminal) setsid();
        for (int fd = 0; fd < 3; ++fd) {
            const int flags = o.terminal ? O_RDWR
                              : fd == 0  ? O_RDONLY
                                         : O_WRONLY | O_CREAT | O_TRUNC;
            dup2(open(handles[fd].c_str(), flags | O_CLOEXEC, 0600), fd);
        }
        for (std::string& change : env) // NAME=VALUE sets a variable, NAME alone removes it
            change.find('=') == std::string::npos ? unsetenv(change.c_str())
                                                  : putenv(change.data());
        if (chdir(dir.path.c_str()) == 0) execv(argv[0], argv.data());
        _exit(127);
    }
    if (slave >= 0) close(slave);
    return pid;
}

} // namespace

RunResult run_program(const std::string& program, const TempDir& dir, const RunOptions& o) {
    TempDir io;
    io.write("in", o.input);
    int terminal = -1;
    const pid_t pid = spawn(program, dir, io, o, terminal);
    // At a terminal the input is typed at once (the line discipline keeps it), the script's
    // bytes when their cue shows; what the program writes is read as it comes.
    RunResult result;
    if (terminal >= 0) type(terminal, o.input);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    int status = 0;
    for (std::size_t step = 0; waitpid(pid, &status, WNOHANG) != pid;) {
        if (std::chrono::steady_clock::now() > deadline) kill(pid, SIGKILL);
        take_output(terminal, result.out, 10); // without a terminal, a pause of 10 ms
        if (step < o.script.size() &&
            (terminal >= 0 ? result.out : io.read("out")).find(o.script[step].wait_for) !=
                std::string::npos) {
            const Typed& next = o.script[step++];
            next.signal ? kill(pid, next.signal) : type(terminal, next.bytes);
        }
    }
    while (terminal >= 0 && take_output(terminal, result.out, 50)) continue;
    if (terminal >= 0) close(terminal);
    if (terminal < 0) result.out = io.read("out"), result.err = io.read("err");
    if (WIFEXITED(status)) result.status = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) result.signal = WTERMSIG(status);
    return result;
}

} // namespace testsupport
