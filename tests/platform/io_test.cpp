// The standard handles may come non-blocking from the parent: a pipe that is full, or empty,
// is waited for, not reported; and a blocking write that a signal interrupts goes on.

#include <fcntl.h>
#include <poll.h>
#include <sys/time.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "platform/io.hpp"

namespace {

TEST(PlatformIo, NonBlockingPipesAreWaitedFor) {
    int fds[2];
    ASSERT_EQ(pipe2(fds, O_NONBLOCK), 0);
    const std::string sent(1 << 20, 'x'); // far more than the pipe holds
    std::string received;
    std::thread reader([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        char buffer[65536];
        while (received.size() < sent.size()) {
            const platform::IoResult got = platform::read_once(fds[0], buffer, sizeof buffer);
            ASSERT_EQ(got.error, 0);
            received.append(buffer, static_cast<std::size_t>(got.count));
        }
    });
    const platform::IoResult wrote = platform::write_all(fds[1], sent.data(), sent.size());
    reader.join();
    EXPECT_EQ(wrote.error, 0);
    EXPECT_EQ(static_cast<std::size_t>(wrote.count), sent.size());
    EXPECT_EQ(received, sent);
    close(fds[0]);
    close(fds[1]);
}

int g_read_end = -1;
std::atomic<int> g_signals{0}; // lock-free: safe in a signal handler

// A pipe filled by the writes and drained at every second signal of a timer, whose handler is
// installed without SA_RESTART: a signal ends a blocked write, which returns what it wrote;
// after a signal that did not drain, the next write finds the pipe full, writes nothing, and
// fails with EINTR at the next signal.
TEST(PlatformIo, AnInterruptedBlockingWriteGoesOn) {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    g_read_end = fds[0];
    fcntl(fds[0], F_SETFL, O_NONBLOCK);
    struct sigaction drain {};
    drain.sa_handler = [](int) {
        char buffer[1 << 16];
        if (++g_signals % 2 == 0) {
            while (read(g_read_end, buffer, sizeof buffer) > 0) {
            }
        }
    };
    ASSERT_EQ(sigaction(SIGALRM, &drain, nullptr), 0);
    const itimerval every_5ms{{0, 5000}, {0, 5000}}, stop{};
    setitimer(ITIMER_REAL, &every_5ms, nullptr);
    const std::string sent(1 << 20, 'x'); // some 16 pipes full
    const platform::IoResult wrote = platform::write_all(fds[1], sent.data(), sent.size());
    setitimer(ITIMER_REAL, &stop, nullptr);
    signal(SIGALRM, SIG_DFL);
    EXPECT_EQ(wrote.error, 0);
    EXPECT_EQ(static_cast<std::size_t>(wrote.count), sent.size());
    close(fds[0]);
    close(fds[1]);
}

} // namespace
