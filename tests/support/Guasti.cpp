#include "support/Guasti.h"

#include <fcntl.h>
#include <grp.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <mutex>

namespace quotara::testing {
namespace {

std::mutex mutex;
std::atomic<bool> rinominaArmata{false};
std::string fineRifiutata;
int erroreRinomina = 0;
std::atomic<bool> flushArmati{false};
std::vector<std::string> flush;

// A throwaway user and group that own nothing on this machine.
constexpr uid_t kUtente = 54321;
constexpr gid_t kGruppo = 54321;

}  // namespace

RinominaImpossibile::RinominaImpossibile(std::string fine, int errore) {
  const std::lock_guard blocco(mutex);
  fineRifiutata = std::move(fine);
  erroreRinomina = errore;
  rinominaArmata = true;
}

RinominaImpossibile::~RinominaImpossibile() { rinominaArmata = false; }

FlushRegistrati::FlushRegistrati() {
  const std::lock_guard blocco(mutex);
  flush.clear();
  flushArmati = true;
}

FlushRegistrati::~FlushRegistrati() { flushArmati = false; }

std::vector<std::string> FlushRegistrati::Percorsi() const {
  const std::lock_guard blocco(mutex);
  return flush;
}

std::string ComeUtenteQualunque(const std::string& cartella, const std::function<std::string()>& prova) {
  if (::geteuid() != 0) return prova();
  int tubo[2];
  if (::pipe(tubo) != 0) return "no pipe";
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::close(tubo[0]);
    std::error_code e;
    ::chown(cartella.c_str(), kUtente, kGruppo);
    for (const auto& voce : std::filesystem::recursive_directory_iterator(cartella, e))
      ::lchown(voce.path().c_str(), kUtente, kGruppo);
    std::string esito;
    if (::setgroups(0, nullptr) != 0 || ::setresgid(kGruppo, kGruppo, kGruppo) != 0 ||
        ::setresuid(kUtente, kUtente, kUtente) != 0)
      esito = "cannot become an ordinary user";
    else
      esito = prova();
    [[maybe_unused]] const ssize_t n = ::write(tubo[1], esito.data(), esito.size());
    ::_exit(0);
  }
  ::close(tubo[1]);
  std::string esito;
  char buf[512];
  for (ssize_t n; (n = ::read(tubo[0], buf, sizeof buf)) != 0;) {
    if (n < 0) {
      if (errno == EINTR) continue;
      break;
    }
    esito.append(buf, static_cast<size_t>(n));
  }
  ::close(tubo[0]);
  int stato = 0;
  ::waitpid(pid, &stato, 0);
  if (!WIFEXITED(stato) || WEXITSTATUS(stato) != 0) esito += " (the child did not end normally)";
  // The folder is root's again, so the fixture can empty it.
  std::error_code e;
  ::chown(cartella.c_str(), 0, 0);
  for (const auto& voce : std::filesystem::recursive_directory_iterator(cartella, e))
    ::lchown(voce.path().c_str(), 0, 0);
  return esito;
}

}  // namespace quotara::testing

// The system's calls, passed through unless a fault or a trace is armed.
extern "C" int rename(const char* da, const char* a) {
  using namespace quotara::testing;
  if (rinominaArmata) {
    const std::lock_guard blocco(mutex);
    const std::string_view verso(a);
    if (verso.ends_with(fineRifiutata)) {
      errno = erroreRinomina;
      return -1;
    }
  }
  return ::renameat(AT_FDCWD, da, AT_FDCWD, a);
}

extern "C" int fsync(int fd) {
  using namespace quotara::testing;
  if (flushArmati) {
    char percorso[4096];
    const std::string link = "/proc/self/fd/" + std::to_string(fd);
    const ssize_t n = ::readlink(link.c_str(), percorso, sizeof percorso);
    const std::lock_guard blocco(mutex);
    flush.emplace_back(n > 0 ? std::string(percorso, static_cast<size_t>(n)) : "?");
  }
  return static_cast<int>(::syscall(SYS_fsync, fd));
}
