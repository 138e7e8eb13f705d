#include "platform/Signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

namespace platform {
namespace {

constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};

int pipeFds[2] = {-1, -1};
volatile sig_atomic_t arrived = 0;

// Async-signal-safe: a flag, a write, _exit.
extern "C" void onEndSignal(int sig) {
  if (arrived) _exit(0);  // asked again while ending: now
  arrived = 1;
  const int saved = errno;
  const unsigned char byte = static_cast<unsigned char>(sig);
  [[maybe_unused]] const ssize_t n = ::write(pipeFds[1], &byte, 1);
  errno = saved;
}

}  // namespace

int watchEndSignals() {
  if (pipeFds[0] >= 0) return pipeFds[0];
  if (::pipe2(pipeFds, O_CLOEXEC | O_NONBLOCK) != 0) {
    pipeFds[0] = pipeFds[1] = -1;
    return -1;
  }
  struct sigaction sa {};
  sa.sa_handler = onEndSignal;
  // Interrupted reads and writes go on by themselves; the handler is not
  // entered twice at once.
  sa.sa_flags = SA_RESTART;
  sigemptyset(&sa.sa_mask);
  for (const int s : kSignals) sigaddset(&sa.sa_mask, s);
  for (const int s : kSignals) ::sigaction(s, &sa, nullptr);
  // A signal blocked by whoever started the program, and already pending,
  // arrives now, at the handler.
  ::sigprocmask(SIG_UNBLOCK, &sa.sa_mask, nullptr);
  return pipeFds[0];
}

int takeEndSignals() {
  if (pipeFds[0] < 0) return 0;
  int count = 0;
  unsigned char buffer[64];
  for (;;) {
    const ssize_t n = ::read(pipeFds[0], buffer, sizeof buffer);
    if (n > 0) {
      count += static_cast<int>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    return count;
  }
}

void resetEndSignalsForTests() {
  for (const int s : kSignals) std::signal(s, SIG_DFL);
  for (int& fd : pipeFds) {
    if (fd >= 0) ::close(fd);
    fd = -1;
  }
  arrived = 0;
}

}  // namespace platform
