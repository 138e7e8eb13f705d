#include "platform/InstanceLock.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "Scratch.h"
#include "platform/Paths.h"

using namespace platform;

namespace {

// Exit status of a child process that tries the lock: 0 taken, 1 refused.
int acquireInChild(const std::string& path) {
  const pid_t pid = fork();
  if (pid == 0) {
    InstanceLock other(path);
    _exit(other.acquire() ? 0 : 1);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

TEST(InstanceLock, ASecondProgramIsRefusedWhileTheFirstRuns) {
  const std::string path = scratchFolder("lock") + "/quotara.lock";
  {
    InstanceLock first(path);
    ASSERT_TRUE(first.acquire());
    EXPECT_TRUE(first.acquire());
    EXPECT_EQ(acquireInChild(path), 1);
  }
  EXPECT_EQ(acquireInChild(path), 0) << "free again once the first has gone";
}

TEST(InstanceLock, TheSystemReleasesTheLockOfAProgramThatDied) {
  const std::string path = scratchFolder("lockdied") + "/quotara.lock";
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  const pid_t pid = fork();
  if (pid == 0) {
    static InstanceLock held(path);  // never destroyed: the process just dies
    const char ok = held.acquire() ? 'y' : 'n';
    [[maybe_unused]] const ssize_t n = write(ready[1], &ok, 1);
    pause();
    _exit(0);
  }
  char ok = 0;
  ASSERT_EQ(read(ready[0], &ok, 1), 1);
  ASSERT_EQ(ok, 'y');
  InstanceLock second(path);
  EXPECT_FALSE(second.acquire());
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
  EXPECT_TRUE(second.acquire());
  close(ready[0]);
  close(ready[1]);
}

TEST(InstanceLock, DefaultLockFileIsInTheTemporaryFolder) {
  setTempFolderForTests(scratchFolder("locktemp"));
  InstanceLock lock;
  EXPECT_TRUE(lock.acquire());
  EXPECT_TRUE(std::filesystem::exists(tempFolder() + "quotara.lock"));
  setTempFolderForTests("");
}
