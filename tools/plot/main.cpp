// crout-plot [REPORT] [-o FILE]: draws the error norms of option 2 found in REPORT
// (resul3.doc) as an SVG picture in FILE (resul3.svg).
// Status 0: the report held one complete sweep and its picture was written. 2: a picture was
// written from part of the report, which a line on standard error explains. 1: nothing was
// written, and a line on standard error says why.

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>

#include "tools/plot/error_plot.hpp"
#include "tools/plot/sweep_report.hpp"

namespace {

constexpr const char* kUsage = "usage: crout-plot [REPORT] [-o FILE]";
constexpr std::size_t kLargestReport = 16 << 20; // far beyond any session's

int say(const std::string& message, int status) {
    std::fprintf(stderr, "crout-plot: %s\n", message.c_str());
    return status;
}

// The file's bytes; none, with errno set, when it cannot be read whole.
std::optional<std::string> read_file(const std::string& name) {
    std::FILE* file = std::fopen(name.c_str(), "rb");
    if (!file) return std::nullopt;
    std::string bytes;
    char buffer[1 << 16];
    for (std::size_t n;
         bytes.size() <= kLargestReport && (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
        bytes.append(buffer, n);
    const int error = std::ferror(file) ? errno : bytes.size() > kLargestReport ? EFBIG : 0;
    std::fclose(file);
    if (error) errno = error;
    return error ? std::nullopt : std::optional(bytes);
}

// False, with errno set, when the bytes did not all reach the file; a regular file left
// half written is removed.
bool write_file(const std::string& name, const std::string& bytes) {
    std::FILE* file = std::fopen(name.c_str(), "wb");
    if (!file) return false;
    int error = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() ? 0 : errno;
    if (std::fclose(file) != 0 && !error) error = errno;
    if (!error) return true;
    std::error_code ignored;
    if (std::filesystem::is_regular_file(name, ignored)) std::remove(name.c_str());
    errno = error;
    return false;
}

} // namespace

int main(int argc, char** argv) {
    // A file-size limit then fails the write, which removes the half-written picture, instead
    // of ending the program in the middle of it.
    std::signal(SIGXFSZ, SIG_IGN);
    std::string report = "resul3.doc", picture = "resul3.svg";
    for (int i = 1, named = 0; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "-h" || arg == "--help") return std::puts(kUsage) < 0;
        if (arg == "-o" && i + 1 < argc)
            picture = argv[++i];
        else if (!arg.starts_with('-') && !named++)
            report = arg;
        else
            return say(kUsage, 1);
    }
    std::error_code unknown;
    if (std::filesystem::equivalent(report, picture, unknown))
        return say("will not write the picture over the report " + report, 1);
    const std::optional<std::string> bytes = read_file(report);
    if (!bytes) return say("cannot read " + report + ": " + std::strerror(errno), 1);
    const plot::ReportReading reading = plot::read_report(*bytes);
    if (!reading.sweep) return say(report + ": " + reading.note, 1);
    if (!write_file(picture, plot::plot_svg(*reading.sweep)))
        return say("cannot write " + picture + ": " + std::strerror(errno), 1);
    return reading.note.empty() ? 0 : say(report + ": " + reading.note, 2);
}
