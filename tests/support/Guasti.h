#pragma once
// Faults and traces of the file system for tests: a rename made to fail, the
// flushes to disk recorded, a check run as an ordinary user. The program's
// own calls (rename, fsync) pass through here in every test program that
// uses one of them; outside the objects below they behave as the system's.
#include <functional>
#include <string>
#include <vector>

namespace quotara::testing {

// While alive, a rename onto a path ending with `fine` fails with `errore`,
// nothing renamed.
class RinominaImpossibile {
 public:
  RinominaImpossibile(std::string fine, int errore);
  ~RinominaImpossibile();
  RinominaImpossibile(const RinominaImpossibile&) = delete;
  RinominaImpossibile& operator=(const RinominaImpossibile&) = delete;
};

// While alive, records every flush to disk (fsync): the path of the file or
// folder flushed, in order.
class FlushRegistrati {
 public:
  FlushRegistrati();
  ~FlushRegistrati();
  FlushRegistrati(const FlushRegistrati&) = delete;
  FlushRegistrati& operator=(const FlushRegistrati&) = delete;
  std::vector<std::string> Percorsi() const;
};

// Runs `prova` as an ordinary user: as it is when the tests run as one; in a
// child process with a throwaway user and group id, owning `cartella`, when
// they run as root (for whom no permission holds). Gives what `prova` gives:
// "" when every check passed, else what failed.
std::string ComeUtenteQualunque(const std::string& cartella, const std::function<std::string()>& prova);

}  // namespace quotara::testing
