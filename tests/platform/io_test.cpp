// The standard handles may come non-blocking from the parent: a pipe that is full, or empty,
// is waited for, not reported.

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
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

} // namespace
