#include "platform/Documents.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <csignal>
#include <mutex>
#include <thread>

extern char** environ;

namespace platform {
namespace {

std::mutex mutex;
Spawner testSpawner;

// Frees the spawn attributes on every path out.
struct SpawnAttr {
  posix_spawnattr_t attr;
  SpawnAttr() { posix_spawnattr_init(&attr); }
  ~SpawnAttr() { posix_spawnattr_destroy(&attr); }
};

}  // namespace

bool spawnDetached(const std::vector<std::string>& argv, OpenerEnded ended) {
  if (argv.empty()) return false;
  std::vector<char*> args;
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);

  // The child starts with no signal blocked, whatever the calling thread blocks.
  SpawnAttr sa;
  sigset_t none;
  sigemptyset(&none);
  posix_spawnattr_setsigmask(&sa.attr, &none);
  posix_spawnattr_setflags(&sa.attr, POSIX_SPAWN_SETSIGMASK);

  pid_t pid = 0;
  if (posix_spawnp(&pid, args[0], nullptr, &sa.attr, args.data(), environ) != 0) return false;
  // Waiting for this one child only leaves every other child of the program alone.
  std::thread([pid, ended = std::move(ended)] {
    int status = 0;
    pid_t r;
    while ((r = ::waitpid(pid, &status, 0)) < 0 && errno == EINTR) {
    }
    if (ended) ended(r == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }).detach();
  return true;
}

bool openDocument(const std::string& path, OpenerEnded ended) {
  if (path.empty()) {
    if (ended) ended(false);
    return false;
  }
  // A relative name starting with "-" would read as an option of the opener.
  const std::string target = path[0] == '-' ? "./" + path : path;
  Spawner spawner;
  {
    std::lock_guard lock(mutex);
    spawner = testSpawner;
  }
  const std::vector<std::string> argv{"xdg-open", target};
  if (spawner) {
    const bool started = spawner(argv);
    if (ended) ended(started);
    return started;
  }
  // The reaper calls its copy of `ended` only once the opener runs.
  const bool started = spawnDetached(argv, ended);
  if (!started && ended) ended(false);
  return started;
}

void setSpawnerForTests(Spawner spawner) {
  std::lock_guard lock(mutex);
  testSpawner = std::move(spawner);
}

}  // namespace platform
