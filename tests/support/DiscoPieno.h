#pragma once
// A command run as on a full disk: in a child process whose files cannot grow
// beyond a given size (a write past it fails with EFBIG).
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <functional>

namespace quotara::testing {

// Runs `comando` in a child process whose files cannot grow beyond `limite`
// bytes; the value it returns (0 to 255) comes back as the child's exit
// status, -1 when the child did not exit.
inline int ConDiscoPieno(rlim_t limite, const std::function<int()>& comando) {
  const pid_t pid = fork();
  if (pid == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit rl{limite, limite};
    setrlimit(RLIMIT_FSIZE, &rl);
    _exit(comando());
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace quotara::testing
