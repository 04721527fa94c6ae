// The harness itself: what a test starts must not outlive it.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "harness.h"

namespace {

// Gone, or dead and waiting to be reaped by whoever inherited it.
bool ended(pid_t pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line))
        return true;
    const auto state = line.find(") ");
    return state != std::string::npos && state + 2 < line.size() && line[state + 2] == 'Z';
}

TEST(Harness, AKilledTestLeavesNeitherItsXvfbNorItsProgramBehind)
{
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    const pid_t test = ::fork();
    ASSERT_GE(test, 0);
    if (test == 0) {
        // A test process that dies mid-test, with no chance to clean up.
        ::close(fds[0]);
        try {
            e2e::Xvfb x;
            e2e::Program program(x.display());
            if (e2e::wait_for_window(x.display(), "Objekt mit linker Maustaste anklicken", 20).empty())
                ::_exit(1);
            const pid_t pids[2] = {x.pid(), program.pid()};
            if (::write(fds[1], pids, sizeof pids) != static_cast<ssize_t>(sizeof pids))
                ::_exit(1);
            ::raise(SIGKILL);
        } catch (...) {
        }
        ::_exit(1);
    }
    ::close(fds[1]);
    pid_t pids[2] = {-1, -1};
    const ssize_t n = ::read(fds[0], pids, sizeof pids);
    ::close(fds[0]);
    int status = 0;
    ASSERT_EQ(::waitpid(test, &status, 0), test);
    ASSERT_EQ(n, static_cast<ssize_t>(sizeof pids)) << "the test process did not start its Xvfb and program";
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    EXPECT_TRUE(e2e::poll_until([&] { return ended(pids[0]); }, 10)) << "Xvfb " << pids[0] << " still runs";
    EXPECT_TRUE(e2e::poll_until([&] { return ended(pids[1]); }, 10)) << "program " << pids[1] << " still runs";
    for (const pid_t pid : pids)
        if (!ended(pid))
            ::kill(pid, SIGKILL);
}

} // namespace
