#pragma once
// Running the built programs in tests: in a fresh temporary folder, with files for the standard
// handles or on a pseudo-terminal; and what the console shows of the menu, the pause and a
// run-time error report.

#include <iterator>
#include <sstream>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace testsupport {

// The bytes of a file; nothing when it is not a regular file.
std::string read_file(const std::string& path);

// A fresh temporary folder, open to everybody, removed with everything in it at the end.
struct TempDir {
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    std::string file(const std::string& name) const { return path + "/" + name; }
    std::string read(const std::string& name) const { return read_file(file(name)); }
    void write(const std::string& name, const std::string& bytes) const;
    std::string path;
};

// At a terminal: once the output holds wait_for, type the bytes. A signal instead is sent to
// the program, also when its output goes to a file.
struct Typed {
    std::string wait_for = {}, bytes = {};
    int signal = 0;
};

struct RunOptions {
    std::vector<std::string> args = {}; // after the program name
    std::string input = {};             // a file on standard input; at a terminal, typed at once
    bool terminal = false;              // standard input, output and error on one terminal
    std::vector<Typed> script = {};     // typed later at a terminal, or signals sent, in order
    std::vector<std::string> env = {};  // NAME=VALUE set, or NAME removed, for the program
};

struct RunResult {
    std::string out, err; // at a terminal, out is everything the terminal shows
    int status = -1;      // exit status, or -1 when a signal ended the program
    int signal = 0;
    // Status, standard error and output, to compare in one check.
    auto outcome() const { return std::tie(status, err, out); }
};

// The programs under test: the build's own, or the commands of one word that the environment
// names instead (CROUT_TEST_PROGRAM, CROUT_TEST_PROBE), such as the Windows build's programs
// under an emulator.
std::string crout_program();
std::string probe_program();
// Whether the programs under test are the build's own. An emulator's console rewrites what a
// program writes to it, so terminal sessions are compared only with the build's own programs.
bool native_programs();
// Whether the programs under test lack a capability, as the environment lists them
// (CROUT_TEST_LACKS, comma-separated): "commands" (a pause reply runs nothing and says so) and
// "stack" (no report of a stack overflow), in the browser's build.
bool programs_lack(std::string_view capability);

// Runs program in dir, a fresh temporary folder; after 30 seconds it is killed with SIGKILL.
RunResult run_program(const std::string& program, const TempDir& dir, const RunOptions& options);
inline RunResult run_crout(const TempDir& dir, const RunOptions& options) {
    return run_program(crout_program(), dir, options);
}
inline RunResult run_probe(const TempDir& dir, const RunOptions& options) {
    return run_program(probe_program(), dir, options);
}
// The blank-separated words of text, as arguments.
inline std::vector<std::string> words(const std::string& text) {
    std::istringstream in(text);
    return {std::istream_iterator<std::string>(in), {}};
}

// The replies of the whole session (tests/support/whole_session.txt) to each option named, in
// turn: the option's line and the replies to its pauses.
std::string session(const std::string& options);

// The four menu records as the console shows them, the pause prompt, and a run-time error
// report as standard error receives it.
inline const std::string kMenu = "Elija una opcion\r\n"
                                 "1. Calculo de la inversa y el determinante, para n=6\r\n"
                                 "2. Calculo del sistema Ax=b, para n=10,20,30,40,50\r\n"
                                 "(Pulse 3 para finalizar)";
inline const std::string kPrompt =
    "Pause - Please enter a blank line (to continue) or a DOS command.\r\n";
inline std::string report(const std::string& head, const std::string& message) {
    return "\r\nrun-time error " + head + "\r\n- " + message + "\r\n";
}

} // namespace testsupport
