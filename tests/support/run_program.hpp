#pragma once
// Running the built programs in tests: in a fresh temporary folder, with pipes for the standard
// handles or on a pseudo-terminal.

#include <string>
#include <vector>

namespace testsupport {

// A fresh temporary folder, removed with everything in it at the end of the test.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }
    // The file's bytes; empty when it does not exist (see exists).
    std::string read(const std::string& name) const;
    bool exists(const std::string& name) const;
    void write(const std::string& name, const std::string& bytes) const;

private:
    std::string path_;
};

struct RunResult {
    std::string out; // standard output
    std::string err; // standard error
    int status = -1; // exit status, or -1 when ended by a signal
    int signal = 0;  // the signal that ended it, or 0
};

struct RunOptions {
    std::string cwd;               // the folder to run in
    std::vector<std::string> args; // arguments after the program name
    std::string input;             // bytes for standard input (a pipe, then end of file)
    bool close_stdout = false;     // start with standard output closed
    bool stdout_dev_full = false;  // standard output on /dev/full
    bool as_nobody = false;        // drop privileges to nobody before exec
    std::vector<std::string> env;  // extra NAME=value entries
    int timeout_seconds = 60;      // killed after this, reported as signal SIGKILL
};

RunResult run_program(const std::string& program, const RunOptions& options);

// The crout binary of this build.
std::string crout_binary();

// A program on a pseudo-terminal: standard input, output and error all on the terminal.
class PtySession {
public:
    PtySession(const std::string& program, const std::string& cwd,
               const std::vector<std::string>& args = {}, const std::vector<std::string>& env = {});
    ~PtySession();
    PtySession(const PtySession&) = delete;
    PtySession& operator=(const PtySession&) = delete;

    // Types bytes at the terminal.
    void type(const std::string& bytes);
    // Reads output until it contains text (or the timeout passes); returns everything read
    // so far.
    const std::string& read_until(const std::string& text, int timeout_ms = 10000);
    // Waits for the program to end, reading the rest of its output; returns the exit status
    // or -1 when a signal ended it.
    int wait(int timeout_ms = 20000);
    const std::string& output() const { return output_; }
    int pid() const { return pid_; }

private:
    bool pump(int timeout_ms);
    int fd_ = -1;
    int pid_ = -1;
    std::string output_;
};

} // namespace testsupport
