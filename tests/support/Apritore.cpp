#include "support/Apritore.h"

#include <sys/stat.h>

#include <cstdlib>

#include "support/Cartella.h"

namespace quotara::testing {

ApritoreFinto::ApritoreFinto(const std::filesystem::path& cartella, std::optional<int> uscita) {
  std::filesystem::create_directories(cartella);
  if (uscita) {
    const std::filesystem::path script = cartella / "xdg-open";
    ScriviFile(script, "#!/bin/sh\nexit " + std::to_string(*uscita) + "\n");
    ::chmod(script.c_str(), 0700);
  }
  if (const char* path = std::getenv("PATH")) {
    pathPrima_ = path;
    cera_ = true;
  }
  ::setenv("PATH", cartella.c_str(), 1);
}

ApritoreFinto::~ApritoreFinto() {
  if (cera_)
    ::setenv("PATH", pathPrima_.c_str(), 1);
  else
    ::unsetenv("PATH");
}

}  // namespace quotara::testing
