// The platform layer's reads and writes. The standard handles may come non-blocking from the
// parent, and a signal may interrupt a blocking call: a full pipe and an empty one are waited
// for, not reported, and an interrupted write goes on.

#include <fcntl.h>
#include <sys/time.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <string>

#include <gtest/gtest.h>

#include "platform/io.hpp"

static int g_pipe[2];
static std::atomic<int> g_ticks{0}; // lock-free: safe in a signal handler
static std::atomic<bool> g_refill{false};

// A timer's tick, its handler installed without SA_RESTART: every second tick empties the pipe
// or, once refill is set, puts a byte into it.
static void on_tick(int) {
    char buffer[1 << 16];
    if (++g_ticks % 2 != 0) return;
    if (g_refill && write(g_pipe[1], "x", 1) == 1) return;
    while (read(g_pipe[0], buffer, sizeof buffer) > 0) continue;
}

// A tick ends a blocked write, which returns what it wrote; after a tick that did not empty the
// pipe, the next write finds it full, writes nothing, and fails with EINTR at the next tick. A
// non-blocking write end answers EAGAIN instead, and the reading end, emptied, EAGAIN too.
TEST(PlatformIo, FullAndEmptyPipesAndInterruptedWrites) {
    ASSERT_EQ(pipe2(g_pipe, O_NONBLOCK), 0);
    g_refill = false;
    struct sigaction tick {};
    tick.sa_handler = on_tick;
    ASSERT_EQ(sigaction(SIGALRM, &tick, nullptr), 0);
    const itimerval every_2ms{{0, 2000}, {0, 2000}}, stop{};
    setitimer(ITIMER_REAL, &every_2ms, nullptr);
    const std::string sent(1 << 20, 'x'); // some 16 pipes full
    for (int flags : {0, O_NONBLOCK}) {
        fcntl(g_pipe[1], F_SETFL, flags);
        const platform::IoResult wrote = platform::write_all(g_pipe[1], sent.data(), sent.size());
        EXPECT_EQ(wrote.count, static_cast<long>(sent.size())) << flags; // less on an error
    }
    char buffer[1 << 16];
    while (read(g_pipe[0], buffer, sizeof buffer) > 0) continue;
    g_refill = true;
    const platform::IoResult got = platform::read_once(g_pipe[0], buffer, sizeof buffer);
    setitimer(ITIMER_REAL, &stop, nullptr);
    signal(SIGALRM, SIG_DFL);
    EXPECT_GE(got.count, 1); // 0 on an error
    close(g_pipe[0]);
    close(g_pipe[1]);
}
