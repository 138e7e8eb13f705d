#include "platform/Signals.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

namespace {

using namespace platform;

class EndSignals : public ::testing::TestWithParam<int> {
 protected:
  ~EndSignals() override { resetEndSignalsForTests(); }
};

bool readable(int fd) {
  pollfd p{fd, POLLIN, 0};
  return ::poll(&p, 1, 0) == 1 && (p.revents & POLLIN);
}

// The handler only marks the pipe: the program goes on until its event loop
// reads it.
TEST_P(EndSignals, TheFirstSignalOnlyMarksThePipe) {
  const int fd = watchEndSignals();
  ASSERT_GE(fd, 0);
  EXPECT_EQ(watchEndSignals(), fd);
  EXPECT_FALSE(readable(fd));
  EXPECT_EQ(takeEndSignals(), 0);
  ASSERT_EQ(::raise(GetParam()), 0);
  EXPECT_TRUE(readable(fd));
  EXPECT_EQ(takeEndSignals(), 1);
  EXPECT_FALSE(readable(fd));
  EXPECT_EQ(takeEndSignals(), 0);
}

// Exit status of a child that gets `first` and then `second`: 0 when the
// second ended it at once, 3 when it went on.
int twoSignalsInChild(int first, int second) {
  const pid_t pid = fork();
  if (pid == 0) {
    watchEndSignals();
    ::raise(first);
    if (takeEndSignals() != 1) _exit(4);
    ::raise(second);
    _exit(3);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_P(EndSignals, ASecondSignalWhileEndingEndsAtOnce) {
  for (const int second : {SIGTERM, SIGHUP, SIGINT}) EXPECT_EQ(twoSignalsInChild(GetParam(), second), 0) << second;
}

INSTANTIATE_TEST_SUITE_P(Segnali, EndSignals, ::testing::Values(SIGTERM, SIGHUP, SIGINT), [](const auto& caso) {
  return caso.param == SIGTERM ? "SIGTERM" : caso.param == SIGHUP ? "SIGHUP" : "SIGINT";
});

}  // namespace
