// Handles in WebAssembly belong to the host that runs the module (Module.crout): the page, with
// its terminal and the report file in memory, or node, with its own standard handles and the
// current folder's files. Every call goes to the host, which answers with bytes, a number, or
// the code of the system error that failed it ("ENOSPC"), told here in the families of
// platform::IoError. Reading may wait for the user: the module then yields to the host
// (Asyncify) until the bytes come.

#include <emscripten.h>

#include "platform/io.hpp"

// The family of a failure, minus, from the host's answer; the answer itself otherwise.
// clang-format off
EM_JS(void, define_host_answers, (), {
    const families = {
        ENOSPC: 1, EDQUOT: 1, EFBIG: 1,
        EACCES: 2, EPERM: 2, EROFS: 2, EISDIR: 2, EAGAIN: 2,
        EEXIST: 3,
        ENOENT: 4, ENOTDIR: 4,
        EMFILE: 5, ENFILE: 5,
        EINVAL: 6,
    };
    Module.hostAnswer = (answer) => typeof answer === 'string' ? -(families[answer] || 7) : answer;
});
EM_ASYNC_JS(int, host_read, (int handle, char* buffer, int size), {
    const bytes = await Module.crout.read(handle, size);
    if (typeof bytes === 'string') return Module.hostAnswer(bytes);
    HEAPU8.set(bytes, buffer);
    return bytes.length;
});
EM_JS(int, host_write, (int handle, const char* data, int size), {
    return Module.hostAnswer(Module.crout.write(handle, HEAPU8.slice(data, data + size)) || 0);
});
EM_JS(int, host_is_terminal, (int handle), { return Module.crout.isTerminal(handle) ? 1 : 0; });
EM_JS(int, host_exists, (const char* name), {
    return Module.crout.exists(UTF8ToString(name)) ? 1 : 0;
});
EM_JS(int, host_open, (const char* name, int access, int create), {
    return Module.hostAnswer(Module.crout.open(UTF8ToString(name), access, create !== 0));
});
EM_JS(int, host_cut, (int handle, double length), {
    return Module.hostAnswer(Module.crout.cut(handle, length) || 0);
});
EM_JS(int, host_close, (int handle), { return Module.hostAnswer(Module.crout.close(handle) || 0); });
// clang-format on

namespace platform {

namespace {

IoError failure(int answer) {
    return answer < 0 ? static_cast<IoError>(-answer) : kNoError;
}

int handle_of(Handle handle) {
    return static_cast<int>(handle);
}

// The answers' decoding, defined before main.
[[maybe_unused]] const bool answers_defined = (define_host_answers(), true);

} // namespace

IoResult read_once(Handle handle, char* buffer, std::size_t size) {
    const int got = host_read(handle_of(handle), buffer, static_cast<int>(size));
    return got < 0 ? IoResult{0, failure(got)} : IoResult{got, kNoError};
}

IoResult write_all(Handle handle, const char* data, std::size_t size) {
    const int answer = host_write(handle_of(handle), data, static_cast<int>(size));
    return answer < 0 ? IoResult{0, failure(answer)} : IoResult{static_cast<long>(size), kNoError};
}

bool is_terminal(Handle handle) {
    return host_is_terminal(handle_of(handle)) != 0;
}

bool file_exists(const char* name) {
    return host_exists(name) != 0;
}

OpenResult open_file(const char* name, Access access, bool create) {
    const int answer = host_open(name, static_cast<int>(access), create ? 1 : 0);
    return answer < 0 ? OpenResult{kNoHandle, failure(answer)} : OpenResult{answer, kNoError};
}

IoError cut_file(Handle handle, std::int64_t length) {
    return failure(host_cut(handle_of(handle), static_cast<double>(length)));
}

IoError close_file(Handle handle) {
    return failure(host_close(handle_of(handle)));
}

} // namespace platform
